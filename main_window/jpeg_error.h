#pragma once

#include <stdexcept>
#include <string>

// A picture that could not be decoded. The message names the picture first, then what was wrong
// with it in libjpeg's words, e.g. ":/assets/splash.jpg: Premature end of JPEG file".
class JpegError : public std::runtime_error {
public:
    JpegError(const std::string& source, const std::string& what)
        : std::runtime_error(source + ": " + what)
    {
    }
};
