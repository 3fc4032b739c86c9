#pragma once

#include "phrase_data/language_field.h"

#include <QString>
#include <functional>

namespace speech {

// The words the voice says for a cell, written out in the voice's script: what
// `tarvolyn --say FIELD TEXT --spoken` prints and what SpeechSynthesizer hands to espeak-ng.
// - Codes and call signs (QSO, DL1ABC, S9, QSOs) are the language's letter names and digits;
//   codes operators say as words (IOTA, RTTY, ...) are said so (PronunciationTable).
// - Signal reports (three to five, then one or two digits: 59, 579, 33) and serial numbers
//   (a leading zero: 001) are said digit by digit; a report of readability 1 or 2 is never
//   sent, so "15 metres" stays an amount.
// - Years 1900-2099 are said as English and German speakers say them ("nineteen ninety-five",
//   "neunzehnhundertfünfundneunzig"); the other languages' voices read years as amounts, which
//   is how those languages say them. Amounts stay as digits for the voice to say.
// - kHz, MHz and dB after a number are the language's words; "/" inside a call sign or before
//   a letter ("/P") is the stroke word of the call-sign speller.
// Russian (RussianNormaliser) and Japanese (JapaneseNormaliser) do more on top of this.
class TextNormaliser {
public:
    using Rest = std::function<QString(const QString&)>;

    // For Rus and RusP, text is the row's Rus cell and rusP its RusP cell. Throws SpeechError
    // when a Japanese cell has kanji but no romaji to read them by.
    [[nodiscard]] static QString spoken(phrase_data::LanguageField field, const QString& text,
                                        const QString& rusP = {});
    // The codes, numbers, units and strokes of text as words of the field's language; the text
    // between them goes through rest when one is given.
    [[nodiscard]] static QString operatorWords(phrase_data::LanguageField field, const QString& text,
                                               const Rest& rest = {});
    // A code or call sign letter by letter and digit by digit ("QSOs": the last name plural).
    [[nodiscard]] static QString spellCode(phrase_data::LanguageField field, const QString& code);
};

} // namespace speech
