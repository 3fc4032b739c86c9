#include "peak_memory.h"

#include <fstream>
#include <stdexcept>
#include <string>

long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    throw std::runtime_error("no VmHWM in /proc/self/status");
}
