#include "speech_player.h"

#include "speech/speech_synthesizer.h"
#include "speech/spoken_row.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QtConcurrent>

SpeechPlayer::SpeechPlayer(QObject* parent)
    : QObject(parent)
{
}

SpeechPlayer::~SpeechPlayer()
{
    stop();
}

QAudioDevice SpeechPlayer::device() const
{
    return m_device ? *m_device : QMediaDevices::defaultAudioOutput();
}

void SpeechPlayer::sayRow(const phrase_data::PhraseTexts& row, phrase_data::LanguageField field)
{
    const speech::SpokenRow spoken = speech::SpokenRow::of(row, field);
    say(spoken.field, spoken.text, spoken.rusP);
}

void SpeechPlayer::say(phrase_data::LanguageField field, const QString& text, const QString& rusP)
{
    stop();
    const quint64 request = ++m_request;
    if (device().isNull()) {
        emit failed(tr("No sound device to play the speech on."));
        return;
    }
    // The samples come back as a continuation queued to this object's thread, dropped if the
    // player is gone by then.
    QtConcurrent::run([field, text, rusP] {
        Synthesis synthesis;
        try {
            synthesis.pcm = speech::SpeechSynthesizer::say(field, text, rusP);
        } catch (const std::exception& error) {
            synthesis.error = QString::fromUtf8(error.what());
        }
        return synthesis;
    }).then(this, [this, request](const Synthesis& synthesis) { play(request, synthesis); });
}

void SpeechPlayer::stop()
{
    ++m_request;
    if (!m_sink) return;
    // Stopping emits the state change that would say "finished"; this stop is no news.
    m_sink->disconnect(this);
    m_sink->stop();
    // Stop may come from the sink's own signal: it goes once that returns.
    m_sink->deleteLater();
    m_sink = nullptr;
    m_buffer.close();
}

bool SpeechPlayer::playing() const
{
    return m_sink && m_sink->state() == QAudio::ActiveState;
}

void SpeechPlayer::play(quint64 request, const Synthesis& synthesis)
{
    if (request != m_request) return; // said again since
    if (!synthesis.error.isEmpty()) {
        emit failed(synthesis.error);
        return;
    }
    const speech::Pcm& pcm = synthesis.pcm;
    QAudioFormat format;
    format.setSampleRate(pcm.sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice output = device();
    if (output.isNull() || !output.isFormatSupported(format)) {
        emit failed(tr("The sound device cannot play the speech (16-bit mono at %1 Hz).").arg(pcm.sampleRate));
        return;
    }
    m_samples = QByteArray(reinterpret_cast<const char*>(pcm.samples.data()), qsizetype(pcm.samples.size() * 2));
    m_buffer.setData(m_samples);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = new QAudioSink(output, format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, &SpeechPlayer::sinkStateChanged);
    m_sink->start(&m_buffer);
    if (m_sink->error() != QAudio::NoError) {
        stop();
        emit failed(tr("The sound device could not be opened."));
        return;
    }
    emit started();
}

void SpeechPlayer::sinkStateChanged()
{
    if (!m_sink) return;
    const QAudio::Error error = m_sink->error();
    const QAudio::State state = m_sink->state();
    if (state == QAudio::IdleState || state == QAudio::StoppedState) {
        stop();
        if (error != QAudio::NoError && error != QAudio::UnderrunError)
            emit failed(tr("The sound device stopped playing the speech."));
        else
            emit finished();
    }
}
