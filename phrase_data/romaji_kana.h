#pragma once

#include <QString>

namespace phrase_data {

// Hepburn romanisation to hiragana, for the Japanese voice, which reads kana only, and for the
// search, which finds a word written in kanji by the kana of its romaji.
// - A macron is a long vowel written twice: ā ああ, ī いい, ū うう, ē ええ, ō おお. Hepburn does
//   not tell おう from おお; the voice reads おう as two vowels and おお as one long one, and the
//   romaji means the long one, so ō is おお.
// - A doubled consonant is the small tsu (kitte きって, matcha まっちゃ).
// - n is ん before a consonant, at the end of a word, and where n' or n- parts it from a vowel
//   or y (kan'i かんい, hon-ya ほんや); otherwise it begins a syllable (kani かに).
// - Romaji for katakana sounds (fa, ti, di, she, je, wi) take the small vowels (ふぁ, てぃ, でぃ, しぇ):
//   Hepburn writes ぢ and づ as ji and zu, so di and du are the katakana sounds ディ and ドゥ.
// - Anything else (punctuation, digits, letters no syllable begins with) stays as it is.
class RomajiKana {
public:
    [[nodiscard]] static QString toHiragana(const QString& romaji);
    // The way back, by the same table: hiragana or katakana to Hepburn (ん before a vowel or y
    // as n'). The long-vowel mark ー repeats the vowel before it; a small tsu doubles the
    // consonant after it. Anything else stays as it is.
    [[nodiscard]] static QString toRomaji(const QString& kana);
};

} // namespace phrase_data
