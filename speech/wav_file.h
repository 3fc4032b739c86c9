#pragma once

#include "pcm.h"

#include <QByteArray>
#include <QString>

namespace speech {

// RIFF WAVE files of 16-bit mono PCM.
class WavFile {
public:
    [[nodiscard]] static QByteArray encode(const Pcm& pcm);
    // Throws SpeechError naming the file when it cannot be written.
    static void write(const QString& path, const Pcm& pcm);
};

} // namespace speech
