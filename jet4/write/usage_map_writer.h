#pragma once

#include "jet4/format/jet_layout.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace jet4::writing {

// A set of page numbers written as a Jet usage map. The map is either one row holding a bitmap
// from page 0 ("inline", type 0), or, when that row would be too long for its page, a row of
// pointers to bitmap pages of 32 736 pages each ("reference", type 1).
class UsageMapWriter {
public:
    static constexpr std::size_t InlineHeaderSize = usageMap::InlineHeaderSize; // the first page is always 0 here
    static constexpr std::size_t ReferenceRowSize = 69;                         // type byte and 17 page pointers
    static constexpr std::size_t ReferenceSlots = 17;
    static constexpr std::uint32_t PagesPerBitmapPage = (Jet4Layout.pageSize - usageMap::BitmapPageHeader) * 8;

    // Marks pages [first, end).
    void add(std::uint32_t first, std::uint32_t end);

    // Bitmap bytes of an inline map covering pages [0, extent): Access's own rule, one bit per
    // page rounded up to whole u32 words, never shorter than the 64 bytes of a new map.
    [[nodiscard]] static std::size_t inlineBitmapSize(std::uint32_t extent);

    // Writes the inline form; row.size() - InlineHeaderSize bytes of bitmap.
    void writeInline(std::span<std::uint8_t> row) const;

    // Whether bitmap page `slot` of the reference form would hold a set bit.
    [[nodiscard]] bool hasPagesInSlot(std::size_t slot) const;
    // Writes the reference form: one pointer per slot, 0 for a slot without a bitmap page.
    static void writeReference(std::span<std::uint8_t> row, std::span<const std::uint32_t> bitmapPages);
    // Writes the bitmap page for `slot` (a whole 4096-byte page).
    void writeBitmapPage(std::span<std::uint8_t> page, std::size_t slot) const;

private:
    // Sets the bits of the marked pages that fall in [base, base + 8 * bitmap.size()).
    void fillBitmap(std::span<std::uint8_t> bitmap, std::uint64_t base) const;

    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_ranges;
};

} // namespace jet4::writing
