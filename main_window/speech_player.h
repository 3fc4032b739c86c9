#pragma once

#include "phrase_data/language_field.h"
#include "phrase_data/phrase_texts.h"
#include "speech/pcm.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QObject>
#include <QString>
#include <optional>

class QAudioSink;

// Says phrases aloud through the desktop's sound server. Synthesis runs on a worker thread and
// its samples come back to this object's thread, so the window never waits for it; saying
// again stops what is playing and drops what is still being made.
class SpeechPlayer : public QObject {
    Q_OBJECT

public:
    // Plays on the system's default output as it is at the time of saying.
    explicit SpeechPlayer(QObject* parent = nullptr);
    // Plays on this device from now on; a null device stands for a machine without sound.
    void setDevice(const QAudioDevice& device) { m_device = device; }
    ~SpeechPlayer() override;

    // For Rus and RusP, text is the row's Rus cell and rusP its RusP cell (see SpeechSynthesizer).
    void say(phrase_data::LanguageField field, const QString& text, const QString& rusP = {});
    // A row of phrases in one of its fields, as speech::SpokenRow says it.
    void sayRow(const phrase_data::PhraseTexts& row, phrase_data::LanguageField field);
    void stop();
    [[nodiscard]] bool playing() const;

signals:
    // Nothing sayable, no sound device, or the device failed; the message says which.
    void failed(const QString& message);
    void started();
    void finished();

private:
    struct Synthesis {
        speech::Pcm pcm;
        QString error;
    };
    void play(quint64 request, const Synthesis& synthesis);
    void sinkStateChanged();
    [[nodiscard]] QAudioDevice device() const;

    std::optional<QAudioDevice> m_device;
    quint64 m_request = 0;
    QAudioSink* m_sink = nullptr;
    QByteArray m_samples;
    QBuffer m_buffer;
};
