#pragma once

// Little-endian fields inside the pages the writer assembles. Offsets are trusted here: every
// caller writes into buffers it sized itself.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4::writing {

inline constexpr std::size_t PageSize = 4096;

inline void storeU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void storeU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Jet dates are IEEE doubles counting days since 1899-12-30.
inline void storeF64(std::span<std::uint8_t> bytes, std::size_t offset, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

[[nodiscard]] inline std::uint16_t loadU16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

[[nodiscard]] inline std::uint32_t loadU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

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
