#pragma once

#include <QString>

namespace speech {

// A Japanese cell as kana for the Japanese voice, which reads kana only.
// - "kanji/kana (romaji)": the parenthesised Hepburn romaji, through RomajiKana; a cell of
//   kana alone is said as it stands.
// - Latin codes never reach the romaji converter: codes, call signs and words with a capital
//   inside (ClubLog, eQSL, QRZ.com) are katakana letter names or the pronunciation table's
//   words, and so is a capital letter standing alone ("K shisū").
// - A row of the spelling table ("A — アルファ (arufa)") says the letter, then its word.
class JapaneseNormaliser {
public:
    // Throws SpeechError for kanji without romaji to read them by.
    [[nodiscard]] static QString spoken(const QString& cell);
};

} // namespace speech
