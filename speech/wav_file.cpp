#include "wav_file.h"

#include "speech_error.h"

#include <QDataStream>
#include <QFileInfo>
#include <QSaveFile>

namespace speech {

QByteArray WavFile::encode(const Pcm& pcm)
{
    constexpr quint16 Channels = 1;
    constexpr quint16 BitsPerSample = 16;
    constexpr quint16 BlockAlign = Channels * BitsPerSample / 8;
    constexpr quint32 FormatChunkSize = 16;
    constexpr quint16 PcmFormat = 1;
    const auto dataSize = quint32(pcm.samples.size() * BlockAlign);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(4 + 8 + FormatChunkSize + 8 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << FormatChunkSize << PcmFormat << Channels << quint32(pcm.sampleRate) << quint32(pcm.sampleRate * BlockAlign)
        << BlockAlign << BitsPerSample;
    out.writeRawData("data", 4);
    out << dataSize;
    for (const std::int16_t sample : pcm.samples)
        out << qint16(sample);
    return bytes;
}

void WavFile::write(const QString& path, const Pcm& pcm)
{
    // A new file goes in by a rename, which would replace a device or a pipe of that name.
    if (const QFileInfo target(path); target.exists() && !target.isFile())
        throw SpeechError(path.toStdString() + ": not a regular file; the sound is written only to a file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encode(pcm)) < 0 || !file.commit())
        throw SpeechError(path.toStdString() + ": cannot write the sound file (" + file.errorString().toStdString() +
                          ")");
}

} // namespace speech
