// Reads any byte buffer as an ADIF log and looks a call up in it. Every input must end in a log,
// with its damage reported; a crash, a sanitizer report, an exception or a hang is a finding.
#include "station/adif_log.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const station::AdifLog log = station::AdifLog::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    (void)log.lastContact("K1ABC");
    return 0;
}
