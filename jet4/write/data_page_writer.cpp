#include "data_page_writer.h"

#include "page_bytes.h"

#include <algorithm>
#include <stdexcept>

namespace jet4::writing {

using dataPage::FreeSpaceOffset;
using dataPage::OwnerOffset;

namespace {

constexpr std::size_t RowCountOffset = Jet4Layout.dataRowCount;
constexpr std::uint16_t RowOffsetFlags = dataPage::DeletedFlag | dataPage::PointerFlag;

} // namespace

DataPageWriter::DataPageWriter(std::span<std::uint8_t> page)
    : m_page(page)
{
}

DataPageWriter::DataPageWriter(std::span<std::uint8_t> page, std::uint32_t owner)
    : m_page(page)
{
    startPage(m_page, dataPage::Type);
    storeU32(m_page, OwnerOffset, owner);
    storeU16(m_page, FreeSpaceOffset, static_cast<std::uint16_t>(freeSpace()));
}

DataPageWriter DataPageWriter::resume(std::span<std::uint8_t> page)
{
    DataPageWriter writer(page);
    if (page[0] != dataPage::Type) throw std::logic_error("DataPageWriter: not a data page");
    writer.m_rowCount = loadU16(page, RowCountOffset);
    if (writer.m_rowCount > 0) {
        const std::uint16_t lowest = loadU16(page, Jet4Layout.rowOffsetAt(writer.m_rowCount - 1));
        if (lowest & RowOffsetFlags) throw std::logic_error("DataPageWriter: flagged row");
        writer.m_usedBytes = PageSize - lowest;
    }
    return writer;
}

bool DataPageWriter::fits(std::size_t rowCount, std::size_t usedBytes, std::size_t rowSize)
{
    return rowCount < MaxRows && Jet4Layout.dataHeaderSize(rowCount + 1) + usedBytes + rowSize <= PageSize;
}

std::size_t DataPageWriter::freeSpace() const
{
    return PageSize - Jet4Layout.dataHeaderSize(m_rowCount) - m_usedBytes;
}

std::uint8_t DataPageWriter::add(std::span<const std::uint8_t> row)
{
    if (!fits(row.size())) throw std::logic_error("DataPageWriter: row does not fit");
    m_usedBytes += row.size();
    const std::size_t start = PageSize - m_usedBytes;
    std::copy(row.begin(), row.end(), m_page.begin() + static_cast<std::ptrdiff_t>(start));
    const auto number = static_cast<std::uint8_t>(m_rowCount);
    storeU16(m_page, Jet4Layout.rowOffsetAt(m_rowCount), static_cast<std::uint16_t>(start));
    ++m_rowCount;
    storeU16(m_page, RowCountOffset, static_cast<std::uint16_t>(m_rowCount));
    storeU16(m_page, FreeSpaceOffset, static_cast<std::uint16_t>(freeSpace()));
    return number;
}

} // namespace jet4::writing
