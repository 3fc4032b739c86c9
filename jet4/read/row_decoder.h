#pragma once

#include "column_definition.h"
#include "jet4/format/jet_layout.h"
#include "table_definition.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace jet4 {

// Splits one row into its column values: the null mask, the fixed area and the variable slots.
// Nothing is copied; the values are views of the row.
class RowDecoder {
public:
    RowDecoder(const JetLayout& layout, const TableDefinition& definition);
    // varColumns: variable-length columns ever defined, deleted ones included.
    RowDecoder(const JetLayout& layout, std::uint16_t varColumns, const std::vector<ColumnDefinition>& columns);

    // Takes the next row and checks its column count, null mask and variable-offset table.
    void load(std::span<const std::uint8_t> row);

    // The null-mask bit: "present" for most types, the value itself for Boolean. A column newer
    // than the row has no bit and reads as clear.
    [[nodiscard]] bool isPresent(const ColumnDefinition& column) const;
    // The stored bytes, or nullopt for NULL.
    [[nodiscard]] std::optional<std::span<const std::uint8_t>> value(const ColumnDefinition& column) const;

private:
    void loadVarTable4();
    void loadVarTable3();
    void checkVarOffsets(std::size_t tableStart) const;

    const JetLayout& m_layout;
    std::uint16_t m_tableVarColumns;
    // The smallest column number of a live variable column: rows with fewer columns were written
    // before the table had one and carry no variable-offset table.
    std::uint32_t m_firstVarColumn = UINT32_MAX;

    std::span<const std::uint8_t> m_row;
    std::uint32_t m_columnCount = 0;
    std::span<const std::uint8_t> m_nullMask;
    bool m_hasVarTable = false;
    std::size_t m_fixedEnd = 0;
    std::vector<std::uint16_t> m_varOffsets; // slot i is [m_varOffsets[i], m_varOffsets[i + 1])
};

} // namespace jet4
