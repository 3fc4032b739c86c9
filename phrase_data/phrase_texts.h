#pragma once

#include "language_field.h"

#include <QString>
#include <array>

namespace phrase_data {

// One phrase: a text per language field, in LanguageField order. An empty text is stored as NULL.
using PhraseTexts = std::array<QString, LanguageFieldCount>;

} // namespace phrase_data
