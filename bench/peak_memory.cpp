#include "peak_memory.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace {

long statusKiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(key)) return std::stol(line.substr(key.size()));
    throw std::runtime_error("no " + key + " in /proc/self/status");
}

} // namespace

long peakResidentKiB()
{
    return statusKiB("VmHWM:");
}

long residentKiB()
{
    return statusKiB("VmRSS:");
}
