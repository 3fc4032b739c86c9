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

// Starts a page of the given type: its first two bytes.
inline void startPage(std::span<std::uint8_t> page, std::uint8_t type)
{
    page[0] = type;
    page[1] = PageMark;
}

} // namespace jet4::writing
