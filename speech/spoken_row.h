#pragma once

#include "phrase_data/language_field.h"
#include "phrase_data/phrase_texts.h"

#include <QString>

namespace speech {

// What saying a row in one of its fields says, as SpeechSynthesizer::say takes it. Rus and RusP
// both say the row's Russian, stressed as its RusP marks it; any other field says its own cell.
struct SpokenRow {
    phrase_data::LanguageField field;
    QString text;
    QString rusP;

    [[nodiscard]] static SpokenRow of(const phrase_data::PhraseTexts& row, phrase_data::LanguageField field);
};

} // namespace speech
