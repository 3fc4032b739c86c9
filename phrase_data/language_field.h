#pragma once

#include <cstddef>
#include <cstdint>

namespace phrase_data {

// The fields of a data file's table that carry the nine languages.
enum class LanguageField : std::uint8_t { Rus, RusP, Eng, Ger, Fren, Ital, Span, Port, Jap };
inline constexpr std::size_t LanguageFieldCount = std::size_t(LanguageField::Jap) + 1;

} // namespace phrase_data
