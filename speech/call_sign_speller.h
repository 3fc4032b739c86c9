#pragma once

#include "phrase_data/language_field.h"
#include "phrase_data/phrase_table.h"

#include <QByteArray>
#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

namespace speech {

// Spells call signs, names and QTHs with the words of the Callsign table (phonet.dsb), read at
// run time: each cell there is "<letter> — <word>", A-Z and 0-9, one row per letter in all the
// language fields.
// - Letters are matched without regard to case. Cyrillic letters take the row of the Latin
//   letter that has the same Morse code, as the Russian table does (Ж is V "Жук", Щ is Q
//   "Щука", Ь is X "Мягкий знак", Й is J, Ы is Y, Ё as Е); Ч Ш Ъ Э Ю Я have no row.
// - "/" is the table's "/" row if it has one, else the stroke word of each language.
// - The letters of German, French, Spanish and Portuguese that the table lacks are spelled in
//   those languages as ExtraLetters says (Ü "Übermut", É "Echo accent aigu").
// - Any other character the table lacks stays as it is, in brackets: "[Ä]" in English. Spaces
//   only part words.
class CallSignSpeller {
public:
    // The Callsign topic's file, from the catalogue.
    [[nodiscard]] static QByteArray callsignFile();

    explicit CallSignSpeller(const phrase_data::PhraseTable& file);

    // The spelling words for each character of the text, in the field's language.
    [[nodiscard]] QStringList spell(phrase_data::LanguageField field, const QString& text) const;
    // The spelling as a cell that SpeechSynthesizer can say in that field (Japanese words as
    // kana without their romaji). For Rus and RusP: the Russian words, with the RusP words to
    // stress them by in rusP.
    [[nodiscard]] QString sayable(phrase_data::LanguageField field, const QString& text, QString* rusP) const;
    // The stroke word of a language, for "/" where the table has none.
    [[nodiscard]] static QString strokeWord(phrase_data::LanguageField field);

private:
    [[nodiscard]] QString word(phrase_data::LanguageField field, QChar key) const;

    std::array<QHash<QChar, QString>, phrase_data::LanguageFieldCount> m_words;
};

} // namespace speech
