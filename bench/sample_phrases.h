#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Made-up phrase-book rows in the nine language columns (Rus RusP Eng Ger Fren Ital Span Port
// Jap), 20-60 characters a cell, the same for every run: words of each language strung together
// until the cell reaches its drawn length.
class SamplePhrases {
public:
    [[nodiscard]] static const std::vector<std::string>& columns();
    [[nodiscard]] std::vector<std::string> row(std::size_t index) const;

private:
    [[nodiscard]] static std::string cell(std::size_t language, std::uint64_t seed);
};
