#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The cells of a table as mdbtools' mdb-export prints them, NULL as nullopt: an independent
// reader to hold the writer's files against.
using ExportedRows = std::vector<std::vector<std::optional<std::string>>>;
[[nodiscard]] ExportedRows mdbExport(const std::filesystem::path& file, const std::string& table);
