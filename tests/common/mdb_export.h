#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What mdbtools (the independent oracle) prints for a table: the column names, then each row's
// cells in UTF-8, nullopt where it printed NULL.
struct OracleTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::optional<std::string>>> rows;
};

[[nodiscard]] OracleTable mdbExport(const std::filesystem::path& file, const std::string& table);
// mdb-tables -1: the user tables, or with system = true all tables.
[[nodiscard]] std::vector<std::string> mdbTables(const std::filesystem::path& file, bool system);
