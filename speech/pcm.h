#pragma once

#include <cstdint>
#include <vector>

namespace speech {

// Synthesized speech: 16-bit signed mono samples at sampleRate.
struct Pcm {
    std::vector<std::int16_t> samples;
    int sampleRate = 0;

    [[nodiscard]] double seconds() const { return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0; }
};

} // namespace speech
