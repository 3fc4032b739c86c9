#pragma once

#include <QString>
#include <QStringList>

namespace speech {

// Puts the stress that a row's RusP cell marks onto the Russian words of its Rus cell. RusP
// marks the stressed vowel with an acute ("Chastatá zanyatá"); the result writes the Russian
// with a combining acute (U+0301) after each stressed vowel ("Частота́ занята́"). Where RusP
// marks no stress, a ё is the stress (RusP's mark wins in a compound: трёхдиапазо́нная). Words that RusP leaves unmarked
// (most one-syllable words, the prepositions among them) stay unmarked, and espeak-ng decides.
class RussianStress {
public:
    static constexpr char16_t Acute = u'\u0301';

    // When the two cells do not pair word for word, the Russian comes back unmarked but for ё.
    [[nodiscard]] static QString mark(const QString& rus, const QString& rusP);

    // The words (runs of letters, hyphens between letters) of a text, in order; in RusP an
    // apostrophe (the soft sign) belongs to its word.
    [[nodiscard]] static QStringList words(const QString& text, bool phonetic);
    // One Russian word stressed as its RusP word marks it (when their vowels pair one to one),
    // else on its ё; unmarked otherwise.
    [[nodiscard]] static QString stressed(const QString& russianWord, const QString& phoneticWord);
    // A word with the acute after its vowel number `vowel` (from 0); unmarked for -1.
    [[nodiscard]] static QString stressWord(const QString& russianWord, int vowel);
    // Whether an espeak-ng phoneme is a vowel of the spelling. "@-" is a glide espeak-ng puts
    // between consonants, "I^" the softness of a final consonant: neither is.
    [[nodiscard]] static bool isVowelPhoneme(const QString& phoneme);
    [[nodiscard]] static bool isCyrillicVowel(QChar letter);
    // The number of vowels in a Russian word.
    [[nodiscard]] static int vowelCount(const QString& russianWord);
    // The index among a RusP word's vowels of the one with an acute; -1 when none has one.
    // The vowels: a e i o u, and y where it is ы (not beside another vowel: "vy", "vérnyy").
    [[nodiscard]] static int stressedVowel(const QString& phoneticWord, int* vowelTotal = nullptr);
};

} // namespace speech
