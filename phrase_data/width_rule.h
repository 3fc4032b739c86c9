#pragma once

#include <cstdint>

namespace phrase_data {

// How the grid's free width is shared between its two language columns.
enum class WidthRule : std::uint8_t {
    HalfSplit,  // every column gets half
    FifthSplit, // the left column a fifth, the right one the rest
};

} // namespace phrase_data
