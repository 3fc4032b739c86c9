#include "data_page.h"

#include "jet4/format/little_endian.h"
#include "parse_error.h"

namespace jet4 {

using namespace dataPage;

DataPage::DataPage(std::span<const std::uint8_t> bytes, std::uint32_t number, const JetLayout& layout)
    : m_bytes(bytes)
    , m_number(number)
    , m_layout(layout)
{
    if (m_bytes.size() != layout.pageSize || m_bytes[0] != Type) throw PageDamage(number, "not a data page");
    m_rowCount = loadU16(m_bytes, layout.dataRowCount);
    if (m_rowCount > MaxRows || layout.dataHeaderSize(m_rowCount) > layout.pageSize)
        throw PageDamage(number, "row count " + std::to_string(m_rowCount) + " is too large");
}

std::uint32_t DataPage::owner() const
{
    return loadU32(m_bytes, OwnerOffset);
}

std::uint16_t DataPage::offsetWord(unsigned row) const
{
    return loadU16(m_bytes, m_layout.rowOffsetAt(row));
}

RowKind DataPage::kind(unsigned row) const
{
    if (row >= m_rowCount) throw PageDamage(m_number, "no row " + std::to_string(row));
    const std::uint16_t word = offsetWord(row);
    const bool deleted = (word & DeletedFlag) != 0;
    const bool pointer = (word & PointerFlag) != 0;
    if (deleted && pointer) return RowKind::Deleted;
    if (pointer) return RowKind::Pointer;
    if (deleted) return RowKind::Moved;
    return RowKind::Live;
}

std::span<const std::uint8_t> DataPage::row(unsigned row) const
{
    if (row >= m_rowCount) throw PageDamage(m_number, "no row " + std::to_string(row));
    const auto [start, end] = rowExtent(m_bytes, m_layout, row);
    if (start < m_layout.dataHeaderSize(m_rowCount) || start > end || end > m_layout.pageSize)
        throw PageDamage(m_number, "row " + std::to_string(row) + " lies outside the page");
    return m_bytes.subspan(start, end - start);
}

} // namespace jet4
