#pragma once

#include "jet4/table.h"

#include <optional>
#include <string>
#include <vector>

namespace jet4::test {

using Row = std::vector<std::optional<std::string>>;

// A table's cells in UTF-8, row by row; nullopt for NULL.
[[nodiscard]] std::vector<Row> rowsOf(const Table& table);
[[nodiscard]] std::vector<std::string> columnNamesOf(const Table& table);
[[nodiscard]] std::string utf8(std::u16string_view text);

} // namespace jet4::test
