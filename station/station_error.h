#pragma once

#include <stdexcept>
#include <string>

namespace station {

// A file of the station engines that cannot be used at all: the message names the file and
// what was wrong ("/usr/share/hamradio-files/cty.dat: cannot open the country file").
class StationError : public std::runtime_error {
public:
    explicit StationError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace station
