#include "long_value_reader.h"

#include "byte_view.h"
#include "data_page.h"
#include "jet4/format/row_pointer.h"
#include "parse_error.h"

#include <algorithm>

namespace jet4 {

namespace {

constexpr std::size_t HeaderSize = 12;
constexpr std::uint32_t LengthMask = 0x3FFFFFFF;
constexpr std::size_t NextPointerSize = 4;

enum class Storage : std::uint8_t { Chain = 0, SingleRow = 1, Inline = 2, Invalid = 3 };

} // namespace

std::uint32_t LongValueReader::declaredLength(std::span<const std::uint8_t> slot)
{
    return ByteView(slot, "long value header").u32(0) & LengthMask;
}

std::span<const std::uint8_t> LongValueReader::read(std::span<const std::uint8_t> slot)
{
    const ByteView header(slot, "long value header");
    const std::uint32_t word = header.u32(0);
    const std::uint32_t length = word & LengthMask;
    const auto storage = static_cast<Storage>(word >> 30);
    const std::uint32_t pgRow = header.u32(4);
    if (length > m_pages.fileSize()) throw ParseError("long value longer than the file");

    switch (storage) {
    case Storage::Inline:
        if (slot.size() - HeaderSize < length) throw ParseError("inline long value longer than its slot");
        return slot.subspan(HeaderSize, length);
    case Storage::SingleRow: {
        const std::span<const std::uint8_t> row = fetchRow(pgRow);
        if (row.size() < length) throw ParseError("long value longer than its row");
        return row.first(length);
    }
    case Storage::Chain: {
        m_value.clear();
        std::uint32_t next = pgRow;
        while (m_value.size() < length) {
            if (next == 0) throw ParseError("long value chain ends early");
            const ByteView row(fetchRow(next), "long value chain row");
            next = row.u32(0);
            const std::span<const std::uint8_t> data = row.bytes().subspan(NextPointerSize);
            const std::size_t wanted = std::min<std::size_t>(data.size(), length - m_value.size());
            m_value.insert(m_value.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(wanted));
        }
        return m_value;
    }
    case Storage::Invalid:
        break;
    }
    throw ParseError("unknown long value storage");
}

std::span<const std::uint8_t> LongValueReader::fetchRow(std::uint32_t pgRow)
{
    const auto [pageNumber, rowNumber] = RowPointer::unpack(pgRow);
    if (pageNumber >= m_pages.pageCount()) throw ParseError("long value points past the end of the file");
    if (!m_usedRows.insert(pgRow).second)
        throw ParseError("long value reaches page " + std::to_string(pageNumber) + " row " + std::to_string(rowNumber) +
                         " a second time");
    const DataPage page(m_pages.page(pageNumber, m_page), pageNumber, m_pages.layout());
    if (page.owner() != DataPage::LongValueOwner) throw PageDamage(pageNumber, "not a long-value page");
    if (rowNumber >= page.rowCount() || page.kind(rowNumber) != RowKind::Live)
        throw PageDamage(pageNumber, "no long-value row " + std::to_string(rowNumber));
    return page.row(rowNumber);
}

} // namespace jet4
