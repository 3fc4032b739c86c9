#include "table_definition.h"

#include "byte_view.h"
#include "jet4/format/jet_layout.h"
#include "parse_error.h"

#include <algorithm>
#include <unordered_set>

namespace jet4 {

namespace {

using definitionPage::ContinuationHeaderSize;
using definitionPage::LengthOffset;
using definitionPage::NextPageOffset;
constexpr std::uint8_t DefinitionPageType = definitionPage::Type;
// Jet caps names at 64 characters.
constexpr std::size_t MaxNameChars = 64;
constexpr std::uint8_t MaxDecimalDigits = 28;

std::uint32_t readU32(std::span<const std::uint8_t> page, std::size_t offset)
{
    return ByteView(page, "table definition").u32(offset);
}

} // namespace

TableDefinition TableDefinition::read(const PageReader& pages, std::uint32_t firstPage, const TextDecoder& names)
{
    return onPage(firstPage, [&] {
        const JetLayout& layout = pages.layout();
        PageBuffer buffer;
        std::span<const std::uint8_t> page = pages.page(firstPage, buffer);
        if (page[0] != DefinitionPageType) throw ParseError("not a table definition");
        const std::uint32_t length = readU32(page, LengthOffset);
        std::vector<std::uint8_t> definition(page.begin(), page.end());

        // Long definitions continue on further pages; a loop in the chain ends it, and the length
        // check below then finds the missing bytes.
        std::unordered_set<std::uint32_t> visited{firstPage};
        std::uint32_t next = readU32(page, NextPageOffset);
        while (next != 0 && definition.size() < length && visited.insert(next).second) {
            page = pages.page(next, buffer);
            if (page[0] != DefinitionPageType)
                throw ParseError("continues on page " + std::to_string(next) + ", which is not a table definition");
            definition.insert(definition.end(), page.begin() + ContinuationHeaderSize, page.end());
            next = readU32(page, NextPageOffset);
        }
        if (length > definition.size())
            throw ParseError("table definition of " + std::to_string(length) + " bytes is longer than its pages");
        definition.resize(length);

        TableDefinition result;
        result.m_page = firstPage;
        result.parse(definition, layout, names);
        return result;
    });
}

void TableDefinition::parse(const std::vector<std::uint8_t>& bytes, const JetLayout& layout, const TextDecoder& names)
{
    const ByteView definition(bytes, "table definition");
    m_rowCount = definition.u32(layout.tdefRowCount);
    m_maxColumns = definition.u16(layout.tdefMaxColumns);
    m_varColumns = definition.u16(layout.tdefVarColumns);
    const std::uint16_t columnCount = definition.u16(layout.tdefColumnCount);
    const std::uint32_t realIndexes = definition.u32(layout.tdefRealIndexes);
    m_ownedPagesMap = definition.u32(layout.tdefOwnedMap);
    if (columnCount > m_maxColumns) throw ParseError("more columns than column numbers issued");

    // Computed in 64 bits: the counts come from the file.
    const std::uint64_t columnsStart =
        layout.tdefRealIndexBlocks + std::uint64_t{realIndexes} * layout.realIndexBlockSize;
    const std::uint64_t namesStart = columnsStart + std::uint64_t{columnCount} * layout.columnEntrySize;
    if (namesStart > definition.size()) throw ParseError("column entries run past the end of the table definition");

    m_columns.resize(columnCount);
    std::vector<bool> numberUsed(m_maxColumns, false);
    for (std::size_t i = 0; i < columnCount; ++i) {
        const ByteView entry(
            definition.sub(static_cast<std::size_t>(columnsStart) + i * layout.columnEntrySize, layout.columnEntrySize),
            "column entry");
        ColumnDefinition& column = m_columns[i];
        column.type = static_cast<ColumnType>(entry.u8(0));
        column.number = entry.u16(layout.colNumber);
        column.varSlot = entry.u16(layout.colVarSlot);
        column.precision = entry.u8(layout.colPrecision);
        column.scale = entry.u8(layout.colScale);
        column.flags = entry.u8(layout.colFlags);
        column.fixedOffset = entry.u16(layout.colFixedOffset);
        column.length = entry.u16(layout.colLength);

        const std::string which = "column " + std::to_string(i);
        if (column.number >= m_maxColumns || numberUsed[column.number])
            throw ParseError(which + " has a bad column number " + std::to_string(column.number));
        numberUsed[column.number] = true;
        const std::optional<std::size_t> size = fixedSizeOf(column.type);
        if (column.type != ColumnType::Boolean) {
            if (!column.isFixed() && column.varSlot >= m_varColumns)
                throw ParseError(which + " has a bad variable slot " + std::to_string(column.varSlot));
            if (column.isFixed() && size && column.length != *size)
                throw ParseError(which + " has a length that does not fit its type");
        }
        if (column.type == ColumnType::Decimal &&
            (column.precision > MaxDecimalDigits || column.scale > column.precision))
            throw ParseError(which + " has a bad decimal precision or scale");
    }

    std::size_t position = static_cast<std::size_t>(namesStart);
    const std::size_t maxNameBytes = MaxNameChars * (layout.nameLengthSize == 2 ? 2 : 1);
    for (ColumnDefinition& column : m_columns) {
        const std::size_t nameBytes = layout.nameLengthSize == 2 ? definition.u16(position) : definition.u8(position);
        if (nameBytes > maxNameBytes || (layout.nameLengthSize == 2 && nameBytes % 2 != 0))
            throw ParseError("bad column name length " + std::to_string(nameBytes));
        position += layout.nameLengthSize;
        column.name = names.decodeName(definition.sub(position, nameBytes));
        position += nameBytes;
    }

    std::stable_sort(m_columns.begin(), m_columns.end(),
                     [](const ColumnDefinition& a, const ColumnDefinition& b) { return a.number < b.number; });
}

} // namespace jet4
