#pragma once

#include "language_field.h"

namespace phrase_data {

// One language command; the menus "Left" and "Right" hold the same nine.
struct LanguageEntry {
    const char* caption;
    LanguageField field;
};

} // namespace phrase_data
