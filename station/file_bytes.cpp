#include "file_bytes.h"

#include "station/station_error.h"

#include <fstream>

namespace station {

std::string fileBytes(const std::filesystem::path& path, const std::string& what)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw StationError(path.string() + ": cannot open " + what);
    const std::streamoff size = in.tellg();
    if (size < 0) throw StationError(path.string() + ": cannot read " + what);
    // Sized once: a log of many megabytes is never copied while it grows.
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size)) throw StationError(path.string() + ": cannot read " + what);
    return bytes;
}

} // namespace station
