#pragma once

#include "jet4/format/jet_layout.h"

#include <cstdint>
#include <span>

namespace jet4 {

// How a row's offset word marks it, in files Access wrote.
enum class RowKind : std::uint8_t {
    Live,    // no flag
    Deleted, // 0xC000
    Pointer, // 0x4000: the row moved; its first four bytes name where it went
    Moved,   // 0x8000: the moved row, reached only through its pointer
};

// A data page (type 0x01): table rows, usage maps and long values all live on these.
class DataPage {
public:
    // Checks the page type and that the row offset table fits the page.
    DataPage(std::span<const std::uint8_t> bytes, std::uint32_t number, const JetLayout& layout);

    [[nodiscard]] std::uint32_t number() const { return m_number; }
    [[nodiscard]] std::uint32_t owner() const;
    [[nodiscard]] unsigned rowCount() const { return m_rowCount; }

    [[nodiscard]] RowKind kind(unsigned row) const;
    // The row's bytes; its bounds are checked against the page and its neighbour.
    [[nodiscard]] std::span<const std::uint8_t> row(unsigned row) const;

    static constexpr std::uint32_t LongValueOwner = 0x4C41564C; // "LVAL"

private:
    [[nodiscard]] std::uint16_t offsetWord(unsigned row) const;

    std::span<const std::uint8_t> m_bytes;
    std::uint32_t m_number;
    const JetLayout& m_layout;
    unsigned m_rowCount = 0;
};

} // namespace jet4
