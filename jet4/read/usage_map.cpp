#include "usage_map.h"

#include "byte_view.h"
#include "data_page.h"
#include "jet4/format/jet_layout.h"
#include "jet4/format/row_pointer.h"
#include "parse_error.h"

#include <unordered_set>

namespace jet4 {

namespace {

using usageMap::BitmapPageHeader;
using usageMap::BitmapPageType;

// Appends start + k for every set bit k of bitmap.
void collect(std::span<const std::uint8_t> bitmap, std::uint64_t start, std::uint32_t pageCount,
             std::vector<std::uint32_t>& pages)
{
    for (std::size_t i = 0; i < bitmap.size(); ++i) {
        if (bitmap[i] == 0) continue;
        for (unsigned bit = 0; bit < 8; ++bit) {
            if ((bitmap[i] >> bit & 1) == 0) continue;
            const std::uint64_t page = start + i * 8 + bit;
            if (page >= pageCount)
                throw ParseError("usage map lists page " + std::to_string(page) + ", past the end of the file");
            pages.push_back(static_cast<std::uint32_t>(page));
        }
    }
}

} // namespace

std::vector<std::uint32_t> UsageMap::pages(const PageReader& reader, std::uint32_t pgRow)
{
    const RowPointer map = RowPointer::unpack(pgRow);
    const std::uint32_t mapPage = map.page;
    const unsigned mapRow = map.row;
    if (mapPage == 0 || mapPage >= reader.pageCount())
        throw ParseError("usage map pointer leads to page " + std::to_string(mapPage) + ", outside the file");

    return onPage(mapPage, [&] {
        PageBuffer buffer;
        const DataPage page(reader.page(mapPage, buffer), mapPage, reader.layout());
        if (page.kind(mapRow) != RowKind::Live)
            throw ParseError("usage map row " + std::to_string(mapRow) + " is not a live row");
        const ByteView row(page.row(mapRow), "usage map row");

        std::vector<std::uint32_t> pages;
        const std::uint8_t type = row.u8(0);
        if (type == usageMap::Inline) {
            const std::uint32_t start = row.u32(1);
            collect(row.bytes().subspan(usageMap::InlineHeaderSize), start, reader.pageCount(), pages);
        } else if (type == usageMap::Reference) {
            const std::uint64_t pagesPerBitmap = std::uint64_t{reader.pageSize() - BitmapPageHeader} * 8;
            std::unordered_set<std::uint32_t> seen;
            PageBuffer bitmapBuffer;
            for (std::size_t i = 0; 1 + 4 * i + 4 <= row.size(); ++i) {
                const std::uint32_t bitmapPage = row.u32(1 + 4 * i);
                if (bitmapPage == 0) continue;
                if (bitmapPage >= reader.pageCount())
                    throw ParseError("usage map names bitmap page " + std::to_string(bitmapPage) +
                                     ", past the end of the file");
                if (!seen.insert(bitmapPage).second)
                    throw ParseError("usage map names bitmap page " + std::to_string(bitmapPage) + " twice");
                const std::span<const std::uint8_t> bitmap = reader.page(bitmapPage, bitmapBuffer);
                if (bitmap[0] != BitmapPageType) throw PageDamage(bitmapPage, "not a usage bitmap page");
                collect(bitmap.subspan(BitmapPageHeader), i * pagesPerBitmap, reader.pageCount(), pages);
            }
        } else {
            throw ParseError("unknown usage map type " + std::to_string(type));
        }
        return pages;
    });
}

} // namespace jet4
