#pragma once

#include "espeak_engine.h"
#include "pcm.h"
#include "phrase_data/language_field.h"

#include <QString>

namespace speech {

// A cell of a language field as speech: the words TextNormaliser writes out for it (what
// `tarvolyn --say FIELD TEXT --spoken` prints), said by the field's espeak-ng voice.
// - Rus and RusP: the row's Russian cell with the Russian voice, stressed as the row's RusP
//   cell marks it (RusP is a reading aid, not a language of its own);
// - Jap: kana (the Japanese voice reads kana only and spells kanji out in English).
class SpeechSynthesizer {
public:
    // The espeak-ng voice of a field.
    [[nodiscard]] static const char* voice(phrase_data::LanguageField field);

    // The words said, in the voice's script, one line. For Rus and RusP, text is the row's Rus
    // cell and rusP its RusP cell (empty: the voice's own stress). Throws SpeechError when there
    // is nothing to say.
    [[nodiscard]] static QString spokenText(phrase_data::LanguageField field, const QString& text,
                                            const QString& rusP = {});
    // The spoken text as handed to espeak-ng (Russian words as phonemes carrying their stress).
    [[nodiscard]] static QString speakableText(phrase_data::LanguageField field, const QString& text,
                                               const QString& rusP = {});
    [[nodiscard]] static Pcm say(phrase_data::LanguageField field, const QString& text, const QString& rusP = {},
                                 const EspeakEngine::Samples& onSamples = {});

    // A Russian word with a combining acute after its stressed vowel, as espeak-ng phonemes
    // ("[[zan;at'A]]") carrying that stress; the word unmarked when its phonemes do not match
    // its vowels one to one.
    [[nodiscard]] static QString stressedPhonemes(const QString& markedWord);
};

} // namespace speech
