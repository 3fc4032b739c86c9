#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace jet4::writing {

// The definition (TDEF) of a user table whose columns are all Text(255) with Unicode
// compression allowed, numbered in the given order, without indexes. A definition longer than
// a page continues on the pages that follow it.
class TableDefinitionWriter {
public:
    explicit TableDefinitionWriter(std::vector<std::u16string> columnNames);

    [[nodiscard]] std::size_t pageCount() const;

    // Writes the definition on pages firstPage .. firstPage + pageCount() - 1 of file.
    // ownedMap and freeMap are row pointers to the table's two usage maps.
    void write(std::span<std::uint8_t> file, std::uint32_t firstPage, std::uint32_t rowCount, std::uint32_t ownedMap,
               std::uint32_t freeMap) const;

private:
    [[nodiscard]] std::vector<std::uint8_t> definition(std::uint32_t rowCount, std::uint32_t ownedMap,
                                                       std::uint32_t freeMap) const;
    [[nodiscard]] std::size_t definitionSize() const;

    std::vector<std::u16string> m_columnNames;
};

} // namespace jet4::writing
