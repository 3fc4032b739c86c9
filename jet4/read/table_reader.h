#pragma once

#include "page_reader.h"
#include "table.h"
#include "table_definition.h"
#include "text_decoder.h"

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

private:
    const PageReader& m_pages;
    const TextDecoder& m_text;
    char16_t m_decimalSeparator;
};

} // namespace jet4
