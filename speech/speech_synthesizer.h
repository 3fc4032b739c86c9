#pragma once

#include "espeak_engine.h"
#include "pcm.h"
#include "phrase_data/language_field.h"

#include <QString>
#include <functional>

namespace speech {

// A cell of a language field as speech. What is said:
// - Rus and RusP: the row's Russian cell with the Russian voice, stressed as the row's RusP
//   cell marks it (RusP is a reading aid, not a language of its own);
// - Jap: the parenthesised Hepburn romaji of the cell ("kanji/kana (romaji)") as hiragana,
//   since the Japanese voice reads kana only and spells kanji out in English;
// - the others: the cell as it is.
// Call signs and Q-codes (QZ7KV, DL1ABC, QTH: two or more capitals, or capitals and digits)
// are said letter by letter in every language.
class SpeechSynthesizer {
public:
    // The espeak-ng voice of a field.
    [[nodiscard]] static const char* voice(phrase_data::LanguageField field);

    // The text handed to espeak-ng. For Rus and RusP, text is the row's Rus cell and rusP its
    // RusP cell (empty: espeak-ng's own stress). Throws SpeechError when there is nothing to say.
    [[nodiscard]] static QString speakableText(phrase_data::LanguageField field, const QString& text,
                                               const QString& rusP = {});
    [[nodiscard]] static Pcm say(phrase_data::LanguageField field, const QString& text, const QString& rusP = {},
                                 const EspeakEngine::Samples& onSamples = {});

    // "QZ7KV" -> "Q Z 7 K V", in place within a phrase; the text between call signs goes
    // through rest when one is given.
    [[nodiscard]] static QString spaceOutCallSigns(const QString& text,
                                                   const std::function<QString(const QString&)>& rest = {});
    // A Russian word with a combining acute after its stressed vowel, as espeak-ng phonemes
    // ("[[zan;at'A]]") carrying that stress; the word unmarked when its phonemes do not match
    // its vowels one to one.
    [[nodiscard]] static QString stressedPhonemes(const QString& markedWord);
};

} // namespace speech
