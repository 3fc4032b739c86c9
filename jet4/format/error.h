#pragma once

#include <stdexcept>
#include <string>

namespace jet4 {

// Every failure of the library: the message starts with the name of the file it concerns,
// e.g. "dsb/weath.dsb: not a Jet database".
class Error : public std::runtime_error {
public:
    Error(const std::string& fileName, const std::string& what)
        : std::runtime_error(fileName + ": " + what)
    {
    }
};

} // namespace jet4
