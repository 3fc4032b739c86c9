#include "row_decoder.h"

#include "jet4/format/little_endian.h"
#include "jet4/format/row_layout.h"
#include "parse_error.h"

#include <algorithm>

namespace jet4 {

namespace {

constexpr std::size_t JumpSpan = 256; // Jet 3 offsets are one byte; a jump table adds 256s

} // namespace

RowDecoder::RowDecoder(const JetLayout& layout, const TableDefinition& definition)
    : RowDecoder(layout, definition.varColumns(), definition.columns())
{
}

RowDecoder::RowDecoder(const JetLayout& layout, std::uint16_t varColumns, const std::vector<ColumnDefinition>& columns)
    : m_layout(layout)
    , m_tableVarColumns(varColumns)
{
    for (const ColumnDefinition& column : columns)
        if (!column.isFixed() && column.type != ColumnType::Boolean)
            m_firstVarColumn = std::min<std::uint32_t>(m_firstVarColumn, column.number);
}

void RowDecoder::load(std::span<const std::uint8_t> row)
{
    m_row = row;
    const std::size_t countSize = m_layout.rowCountSize;
    if (row.size() < countSize) throw ParseError("row too short");
    m_columnCount = countSize == 2 ? loadU16(row, 0) : row[0];
    const std::size_t maskSize = (m_columnCount + 7) / 8;
    if (row.size() < countSize + maskSize) throw ParseError("row too short for its null mask");
    m_nullMask = row.subspan(row.size() - maskSize);
    m_fixedEnd = row.size() - maskSize;
    m_varOffsets.clear();
    m_hasVarTable = m_tableVarColumns > 0 && m_firstVarColumn < m_columnCount;
    if (m_hasVarTable) {
        if (countSize == 2)
            loadVarTable4();
        else
            loadVarTable3();
        m_fixedEnd = m_varOffsets.front();
    }
}

// The trailer of rowLayout: the slot count, the slots' offsets and the end-of-data offset.
void RowDecoder::loadVarTable4()
{
    using namespace rowLayout;
    const std::size_t tail = m_row.size() - m_nullMask.size();
    const std::size_t emptyTable = trailerSize(0, 0);
    if (tail < ColumnCountSize + emptyTable) throw ParseError("row too short for its variable-offset table");
    const std::size_t count = loadU16(m_row, slotCountAt(tail));
    if (2 * count + ColumnCountSize + emptyTable > tail) throw ParseError("variable-offset table larger than the row");
    const std::size_t tableStart = slotOffsetAt(tail, count);
    m_varOffsets.resize(count + 1);
    for (std::size_t i = 0; i <= count; ++i)
        m_varOffsets[i] = loadU16(m_row, slotOffsetAt(tail, i));
    checkVarOffsets(tableStart);
}

// Jet 3 keeps one byte per offset. A row longer than 256 bytes adds a jump table between the
// count and the offsets: entry j names the first slot whose offset lies beyond 256 * (j + 1).
void RowDecoder::loadVarTable3()
{
    const std::size_t length = m_row.size();
    const std::size_t tail = length - m_nullMask.size(); // the count byte is m_row[tail - 1]
    if (tail < 1 + 1 + 1) throw ParseError("row too short for its variable-offset table");
    const std::size_t count = m_row[tail - 1];
    std::size_t jumps = (length - 1) / JumpSpan;
    // Offsets run downwards from here; the jump table sits between them and the count.
    if (tail < jumps + 2 + count + 1) throw ParseError("variable-offset table larger than the row");
    const std::size_t first = tail - jumps - 2;
    const std::size_t tableStart = first - count;
    // The last jump can be a dummy that Jet writes without needing it.
    if (jumps > 0 && tableStart / JumpSpan < jumps) --jumps;
    m_varOffsets.resize(count + 1);
    std::size_t used = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        while (used < jumps && m_row[tail - 2 - used] == i)
            ++used;
        const std::size_t offset = m_row[first - i] + JumpSpan * used;
        if (offset > UINT16_MAX) throw ParseError("variable offset out of range");
        m_varOffsets[i] = static_cast<std::uint16_t>(offset);
    }
    checkVarOffsets(tableStart);
}

void RowDecoder::checkVarOffsets(std::size_t tableStart) const
{
    if (m_varOffsets.front() < m_layout.rowCountSize || m_varOffsets.back() > tableStart ||
        !std::is_sorted(m_varOffsets.begin(), m_varOffsets.end()))
        throw ParseError("variable offsets out of order or outside the row");
}

bool RowDecoder::isPresent(const ColumnDefinition& column) const
{
    if (column.number >= m_columnCount) return false;
    return (m_nullMask[column.number / 8] >> (column.number % 8) & 1) != 0;
}

std::optional<std::span<const std::uint8_t>> RowDecoder::value(const ColumnDefinition& column) const
{
    if (!isPresent(column)) return std::nullopt;
    if (column.isFixed()) {
        const std::size_t size = fixedSizeOf(column.type).value_or(column.length);
        const std::size_t start = m_layout.rowCountSize + std::size_t{column.fixedOffset};
        if (start > m_fixedEnd || size > m_fixedEnd - start)
            throw ParseError("fixed-length value outside the fixed area");
        return m_row.subspan(start, size);
    }
    if (!m_hasVarTable || column.varSlot + std::size_t{1} >= m_varOffsets.size()) return std::nullopt;
    const std::size_t start = m_varOffsets[column.varSlot];
    return m_row.subspan(start, m_varOffsets[column.varSlot + 1] - start);
}

} // namespace jet4
