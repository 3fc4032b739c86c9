#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The three things dsbtool does. Each returns the exit status; bad input throws
// std::runtime_error (or jet4::Error) with a message that names the file concerned.

// Makes the Jet 4 data file out from the TSV source.
int buildDataFile(const std::filesystem::path& out, const std::filesystem::path& source);

// Prints a table of a Jet 3 or Jet 4 file as TSV: the named one, else Dict, else the only one.
int dumpTable(const std::filesystem::path& file, const std::optional<std::string>& table);

// Prints each user table of the file with its row count.
int listTables(const std::filesystem::path& file);
