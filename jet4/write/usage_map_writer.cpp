#include "usage_map_writer.h"

#include "page_bytes.h"

#include <algorithm>

namespace jet4::writing {

void UsageMapWriter::add(std::uint32_t first, std::uint32_t end)
{
    if (first < end) m_ranges.emplace_back(first, end);
}

std::size_t UsageMapWriter::inlineBitmapSize(std::uint32_t extent)
{
    const std::size_t bytes = (std::size_t{extent} + 7) / 8;
    return std::max<std::size_t>(64, (bytes + 3) / 4 * 4);
}

void UsageMapWriter::fillBitmap(std::span<std::uint8_t> bitmap, std::uint64_t base) const
{
    const std::uint64_t limit = base + 8 * std::uint64_t{bitmap.size()};
    for (const auto& [first, end] : m_ranges) {
        for (std::uint64_t page = std::max(first, base); page < std::min(end, limit); ++page) {
            const std::uint64_t bit = page - base;
            bitmap[bit / 8] = static_cast<std::uint8_t>(bitmap[bit / 8] | (1u << (bit % 8)));
        }
    }
}

void UsageMapWriter::writeInline(std::span<std::uint8_t> row) const
{
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    row[0] = usageMap::Inline;
    storeU32(row, 1, 0);
    fillBitmap(row.subspan(InlineHeaderSize), 0);
}

bool UsageMapWriter::hasPagesInSlot(std::size_t slot) const
{
    const std::uint64_t base = std::uint64_t{slot} * PagesPerBitmapPage;
    const std::uint64_t limit = base + PagesPerBitmapPage;
    return std::any_of(m_ranges.begin(), m_ranges.end(),
                       [&](const auto& range) { return range.first < limit && range.second > base; });
}

void UsageMapWriter::writeReference(std::span<std::uint8_t> row, std::span<const std::uint32_t> bitmapPages)
{
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    row[0] = usageMap::Reference;
    for (std::size_t slot = 0; slot < bitmapPages.size() && slot < ReferenceSlots; ++slot)
        storeU32(row, 1 + 4 * slot, bitmapPages[slot]);
}

void UsageMapWriter::writeBitmapPage(std::span<std::uint8_t> page, std::size_t slot) const
{
    std::fill(page.begin(), page.end(), std::uint8_t{0});
    startPage(page, usageMap::BitmapPageType);
    fillBitmap(page.subspan(usageMap::BitmapPageHeader), std::uint64_t{slot} * PagesPerBitmapPage);
}

} // namespace jet4::writing
