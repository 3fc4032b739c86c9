#pragma once

#include "pcm.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>

namespace speech {

// The espeak-ng synthesizer. espeak-ng keeps its state (the loaded voice, the output buffer,
// the callback) in globals of its own, so the process has exactly one of these, initialised on
// first use and terminated at exit; every call takes the mutex, so one thread at a time uses it.
// Synthesis is synchronous: the samples come back through a callback into memory, no sound
// device is ever opened here.
class EspeakEngine {
public:
    using Samples = std::function<void(std::span<const std::int16_t>)>;

    // Throws SpeechError when espeak-ng or its data cannot be loaded.
    [[nodiscard]] static EspeakEngine& instance();

    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    // Speaks UTF-8 text with the voice ("ru", "en-gb", ...); text inside [[ ]] is read as
    // espeak-ng phoneme names. Each piece of audio goes to onSamples as soon as it is made,
    // when one is given. Throws SpeechError for an unknown voice or a failed synthesis.
    [[nodiscard]] Pcm synthesize(const std::string& voice, const QString& text, const Samples& onSamples = {});
    // espeak-ng's phonemes for the text, each phoneme name followed by a space, one clause a line.
    [[nodiscard]] QString phonemes(const std::string& voice, const QString& text);

    [[nodiscard]] int sampleRate() const { return m_sampleRate; }

private:
    EspeakEngine();
    ~EspeakEngine();
    void selectVoice(const std::string& voice);

    std::mutex m_mutex;
    int m_sampleRate = 0;
    std::string m_voice;
};

} // namespace speech
