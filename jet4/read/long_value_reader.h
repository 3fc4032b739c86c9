#pragma once

#include "page_reader.h"

#include <cstdint>
#include <span>
#include <unordered_set>
#include <vector>

namespace jet4 {

// Memo and OLE values: a 12-byte header in the row's variable slot, then the value inline, in one
// row of a long-value ("LVAL") page, or in a chain of such rows.
class LongValueReader {
public:
    explicit LongValueReader(const PageReader& pages)
        : m_pages(pages)
    {
    }

    // The length the header declares (bits 0-29 of its first word). Throws if the slot is shorter
    // than a header.
    [[nodiscard]] static std::uint32_t declaredLength(std::span<const std::uint8_t> slot);

    // The value's bytes, valid until the next call. Each long-value row may serve one value only
    // in the life of this reader: a value that reaches a row twice (a loop, or two values sharing
    // rows) is damage, which also bounds the work by the size of the file.
    [[nodiscard]] std::span<const std::uint8_t> read(std::span<const std::uint8_t> slot);

private:
    [[nodiscard]] std::span<const std::uint8_t> fetchRow(std::uint32_t pgRow);

    const PageReader& m_pages;
    PageBuffer m_page;
    std::vector<std::uint8_t> m_value;
    std::unordered_set<std::uint32_t> m_usedRows;
};

} // namespace jet4
