#pragma once

#include "phrase_data/language_field.h"

#include <QChar>
#include <QString>
#include <optional>

namespace speech {

// The letters of German, French, Spanish and Portuguese that the Callsign table lacks, spelled
// as operators of each language spell them; the README names the sources. Either a word of its
// own (German Ä "Ärger", after DIN 5009) or the table's word for the plain letter followed by
// the mark's name (French É "Echo accent aigu", Portuguese Ã "Alfa til").
class ExtraLetters {
public:
    struct Spelling {
        QChar plain;  // the table letter whose word comes first, or null for a word of its own
        QString word; // the word, or the mark's name after the plain letter's word
    };

    // How the field's language spells an upper-case letter, if it has that letter.
    [[nodiscard]] static std::optional<Spelling> find(phrase_data::LanguageField field, QChar letter);
};

} // namespace speech
