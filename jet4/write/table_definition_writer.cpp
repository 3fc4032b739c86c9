#include "table_definition_writer.h"

#include "jet4/format/column_type.h"
#include "jet4/format/jet_layout.h"
#include "page_bytes.h"

#include <algorithm>

namespace jet4::writing {

namespace {

constexpr JetLayout Layout = Jet4Layout;
constexpr std::size_t HeaderSize = Layout.tdefRealIndexBlocks; // up to the column entries, as there are no indexes
constexpr std::size_t ColumnEntrySize = Layout.columnEntrySize;
constexpr std::size_t FreeMapOffset = Layout.tdefOwnedMap + 4;
using namespace definitionPage;
using namespace columnEntry;
constexpr std::uint8_t UpdatableColumn = 0x02;
constexpr std::uint16_t TextLengthBytes = 2 * 255;

// Free-space count of a definition page, as Jet computes it.
std::uint16_t freeSpace(std::size_t usedBytes)
{
    return static_cast<std::uint16_t>(usedBytes + 8 >= PageSize ? 0 : PageSize - usedBytes - 8);
}

} // namespace

TableDefinitionWriter::TableDefinitionWriter(std::vector<std::u16string> columnNames)
    : m_columnNames(std::move(columnNames))
{
}

std::size_t TableDefinitionWriter::definitionSize() const
{
    std::size_t size = HeaderSize + ColumnEntrySize * m_columnNames.size() + 2;
    for (const auto& name : m_columnNames)
        size += 2 + 2 * name.size();
    return size;
}

std::size_t TableDefinitionWriter::pageCount() const
{
    const std::size_t size = definitionSize();
    if (size <= PageSize) return 1;
    const std::size_t perPage = PageSize - ContinuationHeaderSize;
    return 1 + (size - PageSize + perPage - 1) / perPage;
}

std::vector<std::uint8_t> TableDefinitionWriter::definition(std::uint32_t rowCount, std::uint32_t ownedMap,
                                                            std::uint32_t freeMap) const
{
    std::vector<std::uint8_t> bytes(definitionSize());
    const std::span<std::uint8_t> out(bytes);
    const auto columns = static_cast<std::uint16_t>(m_columnNames.size());
    startPage(out, Type);
    storeU32(out, LengthOffset, static_cast<std::uint32_t>(bytes.size()));
    storeU32(out, definitionPage::FormatConstantOffset, FormatConstant);
    storeU32(out, Layout.tdefRowCount, rowCount);
    out[AlwaysOneOffset] = 1;
    out[TableTypeOffset] = UserTable;
    storeU16(out, Layout.tdefMaxColumns, columns); // column numbers issued so far
    storeU16(out, Layout.tdefVarColumns, columns);
    storeU16(out, Layout.tdefColumnCount, columns);
    storeU32(out, Layout.tdefOwnedMap, ownedMap);
    storeU32(out, FreeMapOffset, freeMap);

    std::size_t at = HeaderSize;
    for (std::uint16_t number = 0; number < columns; ++number, at += ColumnEntrySize) {
        out[at] = static_cast<std::uint8_t>(ColumnType::Text);
        storeU32(out, at + columnEntry::FormatConstantOffset, FormatConstant);
        storeU16(out, at + Layout.colNumber, number);
        storeU16(out, at + Layout.colVarSlot, number);
        storeU16(out, at + NumberAgainOffset, number);
        storeU16(out, at + SortOrderOffset, GeneralSortOrder);
        out[at + Layout.colFlags] = UpdatableColumn;
        out[at + ExtraFlagsOffset] = CompressedUnicode;
        storeU16(out, at + Layout.colLength, TextLengthBytes);
    }
    for (const auto& name : m_columnNames) {
        storeU16(out, at, static_cast<std::uint16_t>(2 * name.size()));
        at += 2;
        for (const char16_t c : name) {
            storeU16(out, at, c);
            at += 2;
        }
    }
    storeU16(out, at, 0xFFFF);
    return bytes;
}

void TableDefinitionWriter::write(std::span<std::uint8_t> file, std::uint32_t firstPage, std::uint32_t rowCount,
                                  std::uint32_t ownedMap, std::uint32_t freeMap) const
{
    const std::vector<std::uint8_t> bytes = definition(rowCount, ownedMap, freeMap);
    std::size_t done = 0;
    for (std::uint32_t index = 0; done < bytes.size(); ++index) {
        const std::span<std::uint8_t> page = pageOf(file, firstPage + index);
        // The first page starts with the definition's own header; the others get a short one.
        const std::size_t headerSize = index == 0 ? 0 : ContinuationHeaderSize;
        const std::size_t chunk = std::min(PageSize - headerSize, bytes.size() - done);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(done), chunk,
                    page.begin() + static_cast<std::ptrdiff_t>(headerSize));
        done += chunk;
        startPage(page, Type);
        storeU16(page, definitionPage::FreeSpaceOffset, freeSpace(headerSize + chunk));
        storeU32(page, NextPageOffset, done < bytes.size() ? firstPage + index + 1 : 0);
    }
}

} // namespace jet4::writing
