#pragma once

#include "page_reader.h"
#include "text_decoder.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet4 {

// A table as the system catalog (MSysObjects) lists it.
struct CatalogTable {
    std::u16string name;
    std::uint32_t id = 0; // for a table, its definition's page (high byte zero)
    std::uint32_t flags = 0;
    [[nodiscard]] bool isUserTable() const { return (flags & 0x80000002u) == 0; }
};

// The tables of a database, read from MSysObjects, whose definition is always page 2.
class Catalog {
public:
    // Throws ParseError (usually PageDamage) when the catalog cannot be read.
    [[nodiscard]] static Catalog read(const PageReader& pages, const TextDecoder& text);

    // User and system tables, in catalog order.
    [[nodiscard]] const std::vector<CatalogTable>& tables() const { return m_tables; }
    // The table called `name` regardless of case, preferring an exact match; nullptr if none.
    [[nodiscard]] const CatalogTable* find(std::u16string_view name) const;
    // The table's definition page, after checking the catalog's Id makes sense as one.
    [[nodiscard]] static std::uint32_t definitionPage(const CatalogTable& table, const PageReader& pages);

private:
    std::vector<CatalogTable> m_tables;
};

} // namespace jet4
