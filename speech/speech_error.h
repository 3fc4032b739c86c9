#pragma once

#include <stdexcept>

namespace speech {

// A text that cannot be said, a voice that cannot be loaded, a file that cannot be written.
class SpeechError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace speech
