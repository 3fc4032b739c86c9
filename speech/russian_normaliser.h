#pragma once

#include <QString>
#include <QStringList>

namespace speech {

// A Russian row as the words the Russian voice says, in Cyrillic, with U+0301 after the
// stressed vowel of every word of two or more syllables (the parts of a hyphenated word count
// as words).
// - Words take their stress from the row's RusP cell, which writes the same phrase in Latin
//   letters with the stress marked; where RusP marks none, a ё is the stress, and otherwise the
//   voice's own stress is written out.
// - Where Rus writes a number in digits, RusP spells it in words, in the case the phrase needs
//   ("с четырьмя противовесами", "около пятисот ватт"), and reports digit by digit
//   ("pyat'-dévyat'"): those words, in Cyrillic, replace the digits.
// - Latin codes, call signs and Cyrillic abbreviations (КСВ) are letter names; the Latin words
//   the pronunciation table knows (IOTA, Callbook) are its words.
class RussianNormaliser {
public:
    // rusP may be empty (a phrase of the user's own): the voice's stress, digits as amounts.
    // disagreements, when given, receives each word whose RusP stress is not the voice's own
    // ("децибе́л: RusP 3, voice 2", vowels counted from 1; "none" where the voice stresses none).
    [[nodiscard]] static QString spoken(const QString& rus, const QString& rusP, QStringList* disagreements = nullptr);
    // The vowel (counted from 0) that the Russian voice stresses in a word; -1 for none.
    [[nodiscard]] static int voiceStress(const QString& word);
};

} // namespace speech
