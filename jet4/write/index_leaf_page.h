#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace jet4::writing {

// A catalog index held in a single leaf page (type 0x04) without prefix compression, as in the
// Jet-made blank: entries (key bytes, then the row id) back to back from 0x1E0 in byte order,
// and a bitmask that marks where each entry ends.
class IndexLeafPage {
public:
    // Reads the entries of page; throws std::logic_error if it is not such a page.
    explicit IndexLeafPage(std::span<std::uint8_t> page);

    // Adds an entry at its place in key order and rewrites the page. Throws WriteError if the
    // page has no room left.
    void insert(std::vector<std::uint8_t> entry);

    [[nodiscard]] const std::vector<std::vector<std::uint8_t>>& entries() const { return m_entries; }

    // The row id that ends an entry: page (3 bytes, big-endian) and row number.
    static void appendRowId(std::vector<std::uint8_t>& entry, std::uint32_t page, std::uint8_t row);

private:
    void write();

    std::span<std::uint8_t> m_page;
    std::vector<std::vector<std::uint8_t>> m_entries;
};

} // namespace jet4::writing
