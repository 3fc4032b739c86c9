#pragma once

#include "language_field.h"
#include "width_rule.h"

namespace phrase_data {

// One command of the menus "Reference-eng" and "Dictionaries".
struct ReferenceEntry {
    const char* menu;
    const char* caption;
    const char* dataFile;
    LanguageField leftField;
    LanguageField rightField;
    WidthRule widthRule;
};

} // namespace phrase_data
