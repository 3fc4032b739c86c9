#include "espeak_engine.h"

#include "speech_error.h"

#include <espeak-ng/speak_lib.h>

namespace speech {

namespace {

struct Synthesis {
    Pcm* pcm;
    const EspeakEngine::Samples* onSamples;
};

int collect(short* wav, int count, espeak_EVENT* events)
{
    auto* synthesis = static_cast<Synthesis*>(events->user_data);
    if (wav == nullptr || count <= 0 || synthesis == nullptr) return 0;
    std::span<const std::int16_t> chunk(wav, std::size_t(count));
    synthesis->pcm->samples.insert(synthesis->pcm->samples.end(), chunk.begin(), chunk.end());
    if (*synthesis->onSamples) (*synthesis->onSamples)(chunk);
    return 0;
}

} // namespace

EspeakEngine& EspeakEngine::instance()
{
    static EspeakEngine engine;
    return engine;
}

EspeakEngine::EspeakEngine()
{
    // espeakINITIALIZE_DONT_EXIT: a missing data folder must be an error, not the end of the program.
    m_sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (m_sampleRate <= 0) throw SpeechError("espeak-ng: cannot load its voice data (is espeak-ng-data installed?)");
    espeak_SetSynthCallback(collect);
}

EspeakEngine::~EspeakEngine()
{
    espeak_Terminate();
}

void EspeakEngine::selectVoice(const std::string& voice)
{
    if (voice == m_voice) return;
    if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) throw SpeechError("espeak-ng: no voice \"" + voice + "\"");
    m_voice = voice;
}

Pcm EspeakEngine::synthesize(const std::string& voice, const QString& text, const Samples& onSamples)
{
    const std::lock_guard lock(m_mutex);
    selectVoice(voice);
    Pcm pcm;
    pcm.sampleRate = m_sampleRate;
    Synthesis synthesis{&pcm, &onSamples};
    const QByteArray utf8 = text.toUtf8();
    const espeak_ERROR status = espeak_Synth(utf8.constData(), std::size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakPHONEMES, nullptr, &synthesis);
    if (status != EE_OK) throw SpeechError("espeak-ng: cannot synthesize \"" + text.toStdString() + "\"");
    return pcm;
}

QString EspeakEngine::phonemes(const std::string& voice, const QString& text)
{
    const std::lock_guard lock(m_mutex);
    selectVoice(voice);
    const QByteArray utf8 = text.toUtf8();
    const void* position = utf8.constData();
    QString result;
    // Bits 8-23 carry the separator written after each phoneme name.
    constexpr int SpaceSeparated = ' ' << 8;
    while (position != nullptr) {
        const char* clause = espeak_TextToPhonemes(&position, espeakCHARS_UTF8, SpaceSeparated);
        if (clause == nullptr) break;
        if (!result.isEmpty()) result += u'\n';
        result += QString::fromUtf8(clause);
    }
    return result;
}

} // namespace speech
