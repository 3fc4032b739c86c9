#pragma once

#include "data_page.h"
#include "page_reader.h"
#include "parse_error.h"
#include "table_definition.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace jet4 {

// Walks the rows of one table in the order Jet returns them without an index: the pages of the
// owned-pages map in ascending order, on each the rows in row-number order. Deleted rows are
// skipped; a row Access moved is returned where its pointer stands, never where it lies.
class TableScanner {
public:
    // Reads the owned-pages map (throws PageDamage if it is damaged).
    TableScanner(const PageReader& pages, const TableDefinition& definition);

    [[nodiscard]] const std::vector<std::uint32_t>& dataPages() const { return m_dataPages; }

    // Calls visitor.row(bytes) for every row and visitor.pageDone(done, total) after each page.
    // A reason-only ParseError out of row() becomes damage of the page that holds the row.
    template <class Visitor> void scan(Visitor& visitor);

private:
    [[nodiscard]] DataPage openDataPage(std::uint32_t number, PageBuffer& buffer) const;
    // The row a pointer row stands for, after checking it is exactly one hop away.
    [[nodiscard]] std::span<const std::uint8_t> follow(const DataPage& page, unsigned row, std::uint32_t& targetPage,
                                                       unsigned& targetRow);

    const PageReader& m_pages;
    const TableDefinition& m_definition;
    std::vector<std::uint32_t> m_dataPages;
    PageBuffer m_pageBuffer;
    PageBuffer m_targetBuffer;
    std::unordered_set<std::uint32_t> m_followedTargets;
};

template <class Visitor> void TableScanner::scan(Visitor& visitor)
{
    for (std::size_t index = 0; index < m_dataPages.size(); ++index) {
        const DataPage page = openDataPage(m_dataPages[index], m_pageBuffer);
        for (unsigned row = 0; row < page.rowCount(); ++row) {
            std::span<const std::uint8_t> bytes;
            std::uint32_t where = page.number();
            unsigned whichRow = row;
            switch (page.kind(row)) {
            case RowKind::Live:
                bytes = page.row(row);
                break;
            case RowKind::Pointer:
                bytes = follow(page, row, where, whichRow);
                break;
            case RowKind::Deleted:
            case RowKind::Moved:
                continue;
            }
            try {
                visitor.row(bytes);
            } catch (const LocatedError&) {
                throw;
            } catch (const ParseError& e) {
                throw PageDamage(where, "row " + std::to_string(whichRow) + ": " + e.what());
            }
        }
        visitor.pageDone(index + 1, m_dataPages.size());
    }
}

} // namespace jet4
