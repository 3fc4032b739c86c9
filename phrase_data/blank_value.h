#pragma once

#include <QString>

namespace phrase_data {

// What a named blank is filled with. Names, QTHs and regions may have a Cyrillic and a katakana
// form beside the Latin one; an empty form falls back to the Latin. An empty Latin form leaves
// the blank unset.
struct BlankValue {
    QString latin;
    QString cyrillic;
    QString katakana;

    friend bool operator==(const BlankValue&, const BlankValue&) = default;
};

} // namespace phrase_data
