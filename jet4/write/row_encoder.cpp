#include "row_encoder.h"

#include "jet4/format/jet_layout.h"
#include "jet4/format/little_endian.h"
#include "jet4/format/row_layout.h"
#include "jet4/format/utf8_codec.h"
#include "write_error.h"

#include <algorithm>

namespace jet4::writing {

namespace {

// Access stores a value in the compressed form (the mark, then one byte per character) only when
// it has at least three characters and all of them are in U+0001..U+00FF; we do the same so the
// files look like Access's own.
bool compressible(std::u16string_view text)
{
    return text.size() >= 3 && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= 1 && c <= 0xFF; });
}

// Every column of a table the encoder writes is a variable-length one.
std::size_t trailerSize(std::size_t columnCount)
{
    return rowLayout::trailerSize(columnCount, columnCount);
}

} // namespace

RowEncoder::RowEncoder(std::size_t columnCount, std::string tableName)
    : m_columnCount(columnCount)
    , m_tableName(std::move(tableName))
    , m_nullMask(rowLayout::nullMaskSize(columnCount))
{
}

std::size_t RowEncoder::minimumRowSize() const
{
    return rowLayout::ColumnCountSize + trailerSize(m_columnCount);
}

void RowEncoder::writeTrailer(std::span<std::uint8_t> row, std::size_t dataEnd, std::span<const std::size_t> starts,
                              std::span<const std::uint8_t> nullMask)
{
    const std::size_t tail = row.size() - nullMask.size();
    const std::size_t slots = starts.size();
    storeU16(row, rowLayout::slotOffsetAt(tail, slots), static_cast<std::uint16_t>(dataEnd));
    for (std::size_t slot = 0; slot < slots; ++slot)
        storeU16(row, rowLayout::slotOffsetAt(tail, slot), static_cast<std::uint16_t>(starts[slot]));
    storeU16(row, rowLayout::slotCountAt(tail), static_cast<std::uint16_t>(slots));
    std::copy(nullMask.begin(), nullMask.end(), row.begin() + static_cast<std::ptrdiff_t>(tail));
}

std::vector<std::uint8_t> RowEncoder::assemble(std::uint16_t columnCount, std::span<const std::uint8_t> fixedArea,
                                               std::span<const std::span<const std::uint8_t>> values,
                                               std::span<const std::uint8_t> nullMask)
{
    std::size_t dataEnd = rowLayout::FixedAreaOffset + fixedArea.size();
    for (const auto value : values)
        dataEnd += value.size();
    std::vector<std::uint8_t> row(dataEnd + rowLayout::trailerSize(columnCount, values.size()));
    storeU16(row, 0, columnCount);
    auto to = std::copy(fixedArea.begin(), fixedArea.end(),
                        row.begin() + static_cast<std::ptrdiff_t>(rowLayout::FixedAreaOffset));
    std::vector<std::size_t> starts;
    for (const auto value : values) {
        starts.push_back(static_cast<std::size_t>(to - row.begin()));
        to = std::copy(value.begin(), value.end(), to);
    }
    writeTrailer(row, dataEnd, starts, nullMask);
    return row;
}

void RowEncoder::fail(const std::string& reason, std::size_t rowIndex, std::size_t column) const
{
    throw WriteError(m_tableName + ", row " + std::to_string(rowIndex + 1) + ", column " + std::to_string(column + 1),
                     reason, rowIndex, column);
}

void RowEncoder::encodeValue(const std::string& cell, std::size_t rowIndex, std::size_t column)
{
    m_text.clear();
    if (const std::size_t bad = utf8::appendUtf16(cell, m_text); bad != std::string::npos)
        fail("malformed UTF-8 at byte " + std::to_string(bad + 1) + " of the value", rowIndex, column);
    if (m_text.size() > MaxTextLength)
        fail("value longer than " + std::to_string(MaxTextLength) + " UTF-16 units (" + std::to_string(m_text.size()) +
                 ")",
             rowIndex, column);
    // Stored plain, a leading U+FEFF gives the bytes FF FE, which every reader takes for the
    // compression mark; such a value cannot be stored faithfully.
    if (!m_text.empty() && m_text.front() == u'\uFEFF')
        fail("value starts with U+FEFF (byte order mark)", rowIndex, column);

    m_starts.push_back(m_data.size());
    if (m_text.empty()) return; // NULL: no bytes, mask bit stays clear
    m_nullMask[column / 8] = static_cast<std::uint8_t>(m_nullMask[column / 8] | (1u << (column % 8)));
    const bool compressed = compressible(m_text);
    const std::size_t at = m_data.size();
    m_data.resize(at + (compressed ? CompressedTextMark.size() + m_text.size() : 2 * m_text.size()));
    std::uint8_t* to = m_data.data() + at;
    if (compressed) {
        to = std::copy(CompressedTextMark.begin(), CompressedTextMark.end(), to);
        for (const char16_t c : m_text)
            *to++ = static_cast<std::uint8_t>(c);
    } else {
        for (const char16_t c : m_text) {
            *to++ = static_cast<std::uint8_t>(c);
            *to++ = static_cast<std::uint8_t>(c >> 8);
        }
    }
}

void RowEncoder::append(std::span<const std::string> cells, std::size_t rowIndex, std::vector<std::uint8_t>& out)
{
    if (cells.size() != m_columnCount)
        throw WriteError(m_tableName + ", row " + std::to_string(rowIndex + 1),
                         "expected " + std::to_string(m_columnCount) + " cells, found " + std::to_string(cells.size()),
                         rowIndex);
    // The variable data goes straight after the column count at the start of m_data.
    m_data.resize(rowLayout::ColumnCountSize);
    m_starts.clear();
    std::fill(m_nullMask.begin(), m_nullMask.end(), std::uint8_t{0});
    for (std::size_t column = 0; column < m_columnCount; ++column)
        encodeValue(cells[column], rowIndex, column);

    const std::size_t size = m_data.size() + trailerSize(m_columnCount);
    if (size > MaxRowSize)
        throw WriteError(m_tableName + ", row " + std::to_string(rowIndex + 1),
                         "row too long for a page (" + std::to_string(size) + " bytes, at most " +
                             std::to_string(MaxRowSize) + ")",
                         rowIndex);

    const std::size_t at = out.size();
    out.resize(at + size);
    const std::span<std::uint8_t> row = std::span<std::uint8_t>(out).subspan(at);
    std::copy(m_data.begin(), m_data.end(), row.begin());
    storeU16(row, 0, static_cast<std::uint16_t>(m_columnCount));
    writeTrailer(row, m_data.size(), m_starts, m_nullMask);
}

} // namespace jet4::writing
