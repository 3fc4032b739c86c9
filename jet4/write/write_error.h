#pragma once

#include "jet4/format/error.h"

#include <cstddef>
#include <optional>
#include <string>

namespace jet4 {

// A database could not be written: bad input (a name, a value, a row) or a failure of the
// file system. For bad input the error says which row and column of the input it concerns,
// so a caller that knows where the rows came from can point at its own source line.
class WriteError : public Error {
public:
    // subject is what the message starts with: a file name, or the table and cell concerned.
    // row and column are 0-based indexes into the input, where the error concerns one.
    WriteError(const std::string& subject, const std::string& reason, std::optional<std::size_t> row = std::nullopt,
               std::optional<std::size_t> column = std::nullopt);

    // The message without its subject, e.g. "value longer than 255 UTF-16 units (300)".
    [[nodiscard]] const std::string& reason() const { return m_reason; }
    [[nodiscard]] std::optional<std::size_t> row() const { return m_row; }
    [[nodiscard]] std::optional<std::size_t> column() const { return m_column; }

private:
    std::string m_reason;
    std::optional<std::size_t> m_row;
    std::optional<std::size_t> m_column;
};

} // namespace jet4
