#include "catalog.h"

#include "case_folding.h"
#include "jet4/format/jet_layout.h"
#include "jet4/format/little_endian.h"
#include "jet4/format/utf8_codec.h"
#include "parse_error.h"
#include "row_decoder.h"
#include "table_definition.h"
#include "table_scanner.h"

#include <optional>

namespace jet4 {

namespace {

using systemCatalog::TablesContainer;
using systemCatalog::TableType;
constexpr std::uint32_t CatalogPage = systemCatalog::DefinitionPage;

const ColumnDefinition& catalogColumn(const TableDefinition& definition, std::u16string_view name, ColumnType type)
{
    for (const ColumnDefinition& column : definition.columns())
        if (column.name == name) {
            if (column.type != type) break;
            return column;
        }
    throw PageDamage(CatalogPage,
                     "the system catalog has no column " + utf8::fromUtf16(name) + " of the expected type");
}

class CatalogSink {
public:
    CatalogSink(const PageReader& pages, const TableDefinition& definition, const TextDecoder& text,
                std::vector<CatalogTable>& tables)
        : m_rows(pages.layout(), definition)
        , m_text(text)
        , m_tables(tables)
        , m_id(catalogColumn(definition, u"Id", ColumnType::Long))
        , m_parentId(catalogColumn(definition, u"ParentId", ColumnType::Long))
        , m_name(catalogColumn(definition, u"Name", ColumnType::Text))
        , m_type(catalogColumn(definition, u"Type", ColumnType::Integer))
        , m_flags(catalogColumn(definition, u"Flags", ColumnType::Long))
    {
    }

    void row(std::span<const std::uint8_t> bytes)
    {
        m_rows.load(bytes);
        const std::optional<std::uint32_t> type = number(m_type, 2);
        const std::optional<std::uint32_t> parent = number(m_parentId, 4);
        if (type != TableType || parent != TablesContainer) return;
        const std::optional<std::uint32_t> id = number(m_id, 4);
        const std::optional<std::span<const std::uint8_t>> name = m_rows.value(m_name);
        if (!id || !name) return;
        m_tables.push_back(CatalogTable{m_text.decodeName(*name), *id, number(m_flags, 4).value_or(0)});
    }

    void pageDone(std::size_t, std::size_t) {}

private:
    [[nodiscard]] std::optional<std::uint32_t> number(const ColumnDefinition& column, std::size_t size) const
    {
        const std::optional<std::span<const std::uint8_t>> bytes = m_rows.value(column);
        if (!bytes || bytes->empty()) return std::nullopt;
        if (bytes->size() != size)
            throw ParseError("catalog column " + utf8::fromUtf16(column.name) + " has the wrong size");
        return size == 2 ? loadU16(*bytes, 0) : loadU32(*bytes, 0);
    }

    RowDecoder m_rows;
    const TextDecoder& m_text;
    std::vector<CatalogTable>& m_tables;
    const ColumnDefinition& m_id;
    const ColumnDefinition& m_parentId;
    const ColumnDefinition& m_name;
    const ColumnDefinition& m_type;
    const ColumnDefinition& m_flags;
};

} // namespace

Catalog Catalog::read(const PageReader& pages, const TextDecoder& text)
{
    const TableDefinition definition = TableDefinition::read(pages, CatalogPage, text);
    Catalog catalog;
    CatalogSink sink(pages, definition, text, catalog.m_tables);
    TableScanner scanner(pages, definition);
    scanner.scan(sink);
    return catalog;
}

const CatalogTable* Catalog::find(std::u16string_view name) const
{
    for (const CatalogTable& table : m_tables)
        if (table.name == name) return &table;
    for (const CatalogTable& table : m_tables)
        if (caseFolding::equalIgnoringCase(table.name, name)) return &table;
    return nullptr;
}

std::uint32_t Catalog::definitionPage(const CatalogTable& table, const PageReader& pages)
{
    // Table ids are definition pages; a high byte belongs to non-table objects only.
    const std::uint32_t page = table.id & 0x00FFFFFF;
    if (page != table.id || page < 2)
        throw PageDamage(CatalogPage, "the system catalog gives table " + utf8::fromUtf16(table.name) +
                                          " the impossible id " + std::to_string(table.id));
    if (page >= pages.pageCount())
        throw PageDamage(CatalogPage, "the definition of table " + utf8::fromUtf16(table.name) + " (page " +
                                          std::to_string(page) + ") lies past the end of the file");
    return page;
}

} // namespace jet4
