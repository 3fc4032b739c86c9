#pragma once

#include <cstddef>

// A Jet 4 row: the u16 column count, the fixed-length values, the variable-length values back to
// back, then the trailer. From the row's end backwards the trailer holds the null mask (one bit
// per column, set when the column has a value), the u16 count of variable-length slots, their
// u16 start offsets (slot 0 nearest the count), and the offset where the variable data ends.
// Offsets count from the row's start. (Jet 3 rows use one-byte counts and offsets; the reader
// handles those itself.)
namespace jet4::rowLayout {

inline constexpr std::size_t ColumnCountSize = 2;
inline constexpr std::size_t FixedAreaOffset = ColumnCountSize;

[[nodiscard]] constexpr std::size_t nullMaskSize(std::size_t columns)
{
    return (columns + 7) / 8;
}

[[nodiscard]] constexpr std::size_t trailerSize(std::size_t columns, std::size_t slots)
{
    return 2 + 2 * slots + 2 + nullMaskSize(columns);
}

// Positions inside the trailer, given tail: the row's size less its null mask.
[[nodiscard]] constexpr std::size_t slotCountAt(std::size_t tail)
{
    return tail - 2;
}
// The start offset of slot; slot == the slot count gives the end-of-data offset.
[[nodiscard]] constexpr std::size_t slotOffsetAt(std::size_t tail, std::size_t slot)
{
    return tail - 4 - 2 * slot;
}

} // namespace jet4::rowLayout
