#pragma once

// Little-endian fields of a Jet file. Offsets are not checked here: the reader checks them
// before it reads (ByteView, DataPage), and the writer writes only into buffers it sized itself.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4 {

[[nodiscard]] inline std::uint16_t loadU16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

[[nodiscard]] inline std::uint32_t loadU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

[[nodiscard]] inline std::uint64_t loadU64(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return loadU32(bytes, offset) | (std::uint64_t{loadU32(bytes, offset + 4)} << 32);
}

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

} // namespace jet4
