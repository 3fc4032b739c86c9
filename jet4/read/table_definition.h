#pragma once

#include "column_definition.h"
#include "page_reader.h"
#include "text_decoder.h"

#include <cstdint>
#include <vector>

namespace jet4 {

// A table definition (TDEF), joined from its chain of pages and checked: what rows of the table
// look like and where its pages are listed.
class TableDefinition {
public:
    // Throws PageDamage naming the definition's first page when anything does not add up.
    [[nodiscard]] static TableDefinition read(const PageReader& pages, std::uint32_t firstPage,
                                              const TextDecoder& names);

    [[nodiscard]] std::uint32_t page() const { return m_page; }
    // Column numbers ever issued, deleted columns included; every number is below it.
    [[nodiscard]] std::uint16_t maxColumns() const { return m_maxColumns; }
    // Variable-length columns ever, deleted ones included.
    [[nodiscard]] std::uint16_t varColumns() const { return m_varColumns; }
    [[nodiscard]] std::uint32_t rowCount() const { return m_rowCount; }
    // The stored RowPointer of the map of the pages that hold the table's rows.
    [[nodiscard]] std::uint32_t ownedPagesMap() const { return m_ownedPagesMap; }
    // In column-number order.
    [[nodiscard]] const std::vector<ColumnDefinition>& columns() const { return m_columns; }

private:
    TableDefinition() = default;
    void parse(const std::vector<std::uint8_t>& definition, const JetLayout& layout, const TextDecoder& names);

    std::uint32_t m_page = 0;
    std::uint16_t m_maxColumns = 0;
    std::uint16_t m_varColumns = 0;
    std::uint32_t m_rowCount = 0;
    std::uint32_t m_ownedPagesMap = 0;
    std::vector<ColumnDefinition> m_columns;
};

} // namespace jet4
