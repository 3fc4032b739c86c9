#pragma once

#include "jet4/format/little_endian.h"
#include "parse_error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace jet4 {

// Little-endian reads from bytes taken out of a file. Every access is checked; a read past the
// end raises a ParseError that names the structure ("row too short").
class ByteView {
public:
    ByteView(std::span<const std::uint8_t> bytes, const char* structure)
        : m_bytes(bytes)
        , m_structure(structure)
    {
    }

    [[nodiscard]] std::size_t size() const { return m_bytes.size(); }
    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return m_bytes; }
    [[nodiscard]] bool contains(std::size_t offset, std::size_t length) const
    {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }

    [[nodiscard]] std::uint8_t u8(std::size_t offset) const
    {
        require(offset, 1);
        return m_bytes[offset];
    }
    [[nodiscard]] std::uint16_t u16(std::size_t offset) const
    {
        require(offset, 2);
        return loadU16(m_bytes, offset);
    }
    [[nodiscard]] std::uint32_t u32(std::size_t offset) const
    {
        require(offset, 4);
        return loadU32(m_bytes, offset);
    }
    [[nodiscard]] std::span<const std::uint8_t> sub(std::size_t offset, std::size_t length) const
    {
        require(offset, length);
        return m_bytes.subspan(offset, length);
    }

private:
    void require(std::size_t offset, std::size_t length) const
    {
        if (!contains(offset, length)) throw ParseError(std::string(m_structure) + " too short");
    }

    std::span<const std::uint8_t> m_bytes;
    const char* m_structure;
};

} // namespace jet4
