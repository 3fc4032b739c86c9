#pragma once

#include "jet4/format/format.h"
#include "table.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jet4 {

class PageSource;

// A Jet 3 or Jet 4 database opened read-only. Opening checks the header and reads the
// system catalog; tables are read whole on request. Every failure is a jet4::Error whose
// message names the file. Nothing is ever written to the file.
class Database {
public:
    // Opens the file at path; the file stays open (read-only) until the Database is destroyed.
    [[nodiscard]] static Database open(const std::filesystem::path& path);
    // Reads a database held in memory; displayName stands for the file name in messages.
    [[nodiscard]] static Database fromBytes(std::vector<std::uint8_t> bytes, std::string displayName);

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    [[nodiscard]] Format format() const;

    // The user tables (not system tables), in catalog order, names in UTF-8.
    [[nodiscard]] std::vector<std::string> tableNames() const;

    // Reads a whole table, found by name without regard to case ("no table Dict" when absent).
    // Numbers are shown with decimalSeparator where they have a fraction. A table given as
    // storage lends its memory to the new one (reading the same table again allocates nothing).
    [[nodiscard]] Table readTable(std::string_view name, char16_t decimalSeparator = u'.', Table storage = {}) const;
    // Reads a table as readTable does, but a data page at a time, for a table too large to hold
    // whole: take() gets each page's rows (perhaps none) in a Table it must not keep, as the next
    // page reuses it, and is called at least once.
    void readTableInParts(std::string_view name, const std::function<void(const Table& part)>& take,
                          char16_t decimalSeparator = u'.') const;

private:
    struct State;
    // Finds the table by name and hands read() a reader and its definition; errors name the file.
    template <class Read> decltype(auto) withTable(std::string_view name, char16_t decimalSeparator, Read&& read) const;
    explicit Database(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace jet4
