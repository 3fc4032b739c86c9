#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace jet4::writing {

// Registers a new user table in the system catalog of the Jet-made blank database, making the
// changes Jet makes when it creates a table: a row in MSysObjects and its entries in both of
// MSysObjects' indexes, one access-control entry in MSysACEs for every account that has one on
// the Tables container (with its index entry), and the row and key counts of both tables.
class CatalogWriter {
public:
    // The first pages of the file, holding a copy of the blank.
    explicit CatalogWriter(std::span<std::uint8_t> file);

    // Pages of the blank: the highest one the catalog uses, so new pages start after it.
    static constexpr std::uint32_t BlankPageCount = 16;

    // Stamps every catalog row with the given creation and update date (days since 1899-12-30).
    void setDates(double date);

    // Adds the table whose definition starts on tdefPage (also its catalog Id). The name must be
    // 1-64 characters of [A-Za-z0-9 ] and must not name another object of the Tables container.
    void addTable(std::uint32_t tdefPage, std::u16string_view name, double date);

private:
    void addAccessControlEntries(std::uint32_t objectId);

    std::span<std::uint8_t> m_file;
};

} // namespace jet4::writing
