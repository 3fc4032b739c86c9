#pragma once

#include <array>
#include <cstdint>

// The grid's columns by their place in the column list, which follows the user's dragging of
// titles: the hidden column stays first, then the left language and the right one.
enum class GridPlace : std::uint8_t { Hidden = 0, Left = 1, Right = 2 };

// Every place, in order, and the places that show a language, left first.
inline constexpr std::array GridPlaces{GridPlace::Hidden, GridPlace::Left, GridPlace::Right};
inline constexpr std::array LanguagePlaces{GridPlace::Left, GridPlace::Right};

// The place among the language places: 0 for the left, 1 for the right.
[[nodiscard]] constexpr std::size_t languageSlot(GridPlace place)
{
    return std::size_t(place) - std::size_t(GridPlace::Left);
}
