#pragma once

#include "jet4/format/jet_layout.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4::writing {

// Fills a data page the way Jet lays one out: rows stacked from the end of the page downwards,
// back to back in row-number order, their start offsets in a table after the 14-byte header,
// and the free-space count kept equal to the gap between the two.
class DataPageWriter {
public:
    static constexpr std::size_t HeaderSize = Jet4Layout.dataRowOffsets;
    static constexpr std::size_t MaxRows = dataPage::MaxRows;

    // Starts an empty data page in page (4096 bytes, zeroed by the caller) whose rows belong to
    // the table defined on page owner (0 for usage-map pages, 1 for the global map page).
    DataPageWriter(std::span<std::uint8_t> page, std::uint32_t owner);
    // Continues a data page that already holds rows, none of them flagged.
    [[nodiscard]] static DataPageWriter resume(std::span<std::uint8_t> page);

    // Whether a page holding rowCount rows of usedBytes in total has room for one more of rowSize.
    [[nodiscard]] static bool fits(std::size_t rowCount, std::size_t usedBytes, std::size_t rowSize);
    [[nodiscard]] bool fits(std::size_t rowSize) const { return fits(m_rowCount, m_usedBytes, rowSize); }

    // Places the row below the previous one and returns its row number. The row must fit.
    std::uint8_t add(std::span<const std::uint8_t> row);

    [[nodiscard]] std::size_t rowCount() const { return m_rowCount; }
    [[nodiscard]] std::size_t freeSpace() const;

private:
    explicit DataPageWriter(std::span<std::uint8_t> page);

    std::span<std::uint8_t> m_page;
    std::size_t m_rowCount = 0;
    std::size_t m_usedBytes = 0; // row bytes, all at the end of the page
};

} // namespace jet4::writing
