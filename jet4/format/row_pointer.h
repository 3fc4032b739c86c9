#pragma once

#include <cstdint>

namespace jet4 {

// Where a row lives: its page, and its number on that page. Stored as one u32 with the row
// number in the low byte and the page above it, in table definitions, usage-map and long-value
// references and the pointer rows of rows that moved.
struct RowPointer {
    std::uint32_t page = 0;
    std::uint8_t row = 0;

    [[nodiscard]] static constexpr RowPointer unpack(std::uint32_t stored)
    {
        return {stored >> 8, static_cast<std::uint8_t>(stored & 0xFF)};
    }
    [[nodiscard]] constexpr std::uint32_t packed() const { return page << 8 | row; }
};

} // namespace jet4
