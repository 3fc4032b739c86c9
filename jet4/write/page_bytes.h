#pragma once

// Pages inside the whole-file buffers the writer assembles.

#include "jet4/format/jet_layout.h"
#include "jet4/format/little_endian.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4::writing {

inline constexpr std::size_t PageSize = Jet4Layout.pageSize;

// The page with the given number inside a whole-file buffer.
[[nodiscard]] inline std::span<std::uint8_t> pageOf(std::span<std::uint8_t> file, std::uint32_t page)
{
    return file.subspan(std::size_t{page} * PageSize, PageSize);
}

// A row pointer: row number in the low byte, page number above it.
[[nodiscard]] inline std::uint32_t rowPointer(std::uint32_t page, std::uint8_t row)
{
    return (page << 8) | row;
}

} // namespace jet4::writing
