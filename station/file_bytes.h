#pragma once

#include <filesystem>
#include <string>

namespace station {

// A whole file's bytes, read in one piece. Throws StationError naming the file and what it is
// ("the country file") when it cannot be opened or read.
[[nodiscard]] std::string fileBytes(const std::filesystem::path& path, const std::string& what);

} // namespace station
