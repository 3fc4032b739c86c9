#pragma once

#include <stdexcept>
#include <string>

// The command line itself is wrong: dsbtool prints the message and its usage and exits with 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& what)
        : std::runtime_error(what)
    {
    }
};
