#pragma once

#include <string_view>

namespace station {

// Which of the phrase book's nine languages an operator in a country most likely speaks, by the
// country's primary prefix in the country file (without the file's "*" for WAE-only entities).
// The table is ours; README.md in this folder says how it was drawn up.
class CountryLanguages {
public:
    // The language field ("Jap", "Rus", "Ger", "Fren", "Ital", "Span", "Port"); "Eng" for every
    // country the table does not name.
    [[nodiscard]] static std::string_view field(std::string_view primaryPrefix);
};

} // namespace station
