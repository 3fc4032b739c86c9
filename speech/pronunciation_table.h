#pragma once

#include "phrase_data/language_field.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

namespace speech {

// The words an operator says for what a phrase writes in letters, digits and symbols, one
// table per language (the tables are in pronunciation_table.cpp, each row commented):
// - the name of each Latin letter A-Z, written as a word of the language ("quê" for Q in
//   Portuguese, "i griega" for Y in Spanish), so that a code is never read as words;
// - the digits 0-9, for reports and serial numbers said digit by digit;
// - units (kHz, MHz, dB) as the language's word for them;
// - codes that operators say as words (IOTA, RTTY, ClubLog, ...), ".com", and the English words
//   that Russian and Japanese phrases keep in Latin letters (Callbook, Inverted).
// Rus and RusP share the Russian table, Cyrillic with U+0301 after the stressed vowel of
// every word of two or more syllables; Japanese words are kana.
class PronunciationTable {
public:
    // The name of a Latin letter (either case); empty for anything else.
    [[nodiscard]] static QString letterName(phrase_data::LanguageField field, QChar letter);
    [[nodiscard]] static QString digitWord(phrase_data::LanguageField field, QChar digit);
    // "kHz", "MHz", "dB" as a word; nothing for any other text.
    [[nodiscard]] static std::optional<QString> unitWord(phrase_data::LanguageField field, const QString& unit);
    // A code that operators say as a word, as written in a phrase ("IOTA", "ClubLog", ".com").
    [[nodiscard]] static std::optional<QString> codeWord(phrase_data::LanguageField field, const QString& code);
    // The codes codeWord knows, as written.
    [[nodiscard]] static QStringList codes();
};

} // namespace speech
