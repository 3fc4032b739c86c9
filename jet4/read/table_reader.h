#pragma once

#include "page_reader.h"
#include "table.h"
#include "table_definition.h"
#include "text_decoder.h"

#include <functional>

namespace jet4 {

// Reads every row of a table into a Table, decoding each value straight into the table's text.
class TableReader {
public:
    TableReader(const PageReader& pages, const TextDecoder& text, char16_t decimalSeparator)
        : m_pages(pages)
        , m_text(text)
        , m_decimalSeparator(decimalSeparator)
    {
    }

    // Fills `storage` (emptied first; its memory is reused) and returns it.
    [[nodiscard]] Table read(const TableDefinition& definition, Table storage = {}) const;

    // Reads the table a data page at a time: take() gets the rows of each page in a Table whose
    // memory the next page reuses, so what is held does not grow with the table. take() is
    // called at least once, so a table without rows still shows its columns.
    void readInParts(const TableDefinition& definition, const std::function<void(const Table&)>& take) const;

private:
    const PageReader& m_pages;
    const TextDecoder& m_text;
    char16_t m_decimalSeparator;
};

} // namespace jet4
