#include "table_scanner.h"

#include "jet4/format/little_endian.h"
#include "jet4/format/row_pointer.h"
#include "usage_map.h"

namespace jet4 {

TableScanner::TableScanner(const PageReader& pages, const TableDefinition& definition)
    : m_pages(pages)
    , m_definition(definition)
    , m_dataPages(onPage(definition.page(), [&] { return UsageMap::pages(pages, definition.ownedPagesMap()); }))
{
}

DataPage TableScanner::openDataPage(std::uint32_t number, PageBuffer& buffer) const
{
    const DataPage page(m_pages.page(number, buffer), number, m_pages.layout());
    if (page.owner() != m_definition.page())
        throw PageDamage(number, "holds rows of table definition " + std::to_string(page.owner()) + ", not of " +
                                     std::to_string(m_definition.page()));
    return page;
}

std::span<const std::uint8_t> TableScanner::follow(const DataPage& page, unsigned row, std::uint32_t& targetPage,
                                                   unsigned& targetRow)
{
    const std::span<const std::uint8_t> pointer = page.row(row);
    const std::string which = "pointer row " + std::to_string(row);
    if (pointer.size() < 4) throw PageDamage(page.number(), which + " is too short");
    const RowPointer moved = RowPointer::unpack(loadU32(pointer, 0));
    targetRow = moved.row;
    targetPage = moved.page;
    if (targetPage >= m_pages.pageCount()) throw PageDamage(page.number(), which + " points past the end of the file");
    // Every moved row has exactly one pointer; a second one would repeat the row.
    if (!m_followedTargets.insert(moved.packed()).second)
        throw PageDamage(page.number(), which + " points at a row another pointer already took");
    const DataPage target = openDataPage(targetPage, m_targetBuffer);
    if (targetRow >= target.rowCount() || target.kind(targetRow) != RowKind::Moved)
        throw PageDamage(page.number(), which + " does not point at a moved row");
    return target.row(targetRow);
}

} // namespace jet4
