#pragma once

#include "jet4/format/column_type.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace jet4 {

// One column entry of a table definition, with what a reader needs to find its value in a row.
struct ColumnDefinition {
    std::u16string name;
    ColumnType type = ColumnType::Text; // may hold a code the enum does not name
    std::uint16_t number = 0;           // null-mask bit and identity in rows
    std::uint16_t varSlot = 0;          // slot in the variable-offset table (variable columns)
    std::uint16_t fixedOffset = 0;      // offset in the fixed area (fixed columns)
    std::uint16_t length = 0;           // declared length in bytes
    std::uint8_t flags = 0;
    std::uint8_t precision = 0; // Decimal only
    std::uint8_t scale = 0;     // Decimal only

    // The flag, not the type, says where the value lives: Access's own tables keep some Long and
    // Date/Time columns in variable slots.
    [[nodiscard]] bool isFixed() const { return (flags & 0x01) != 0; }
};

// The stored size of the types whose values have one; nullopt for variable-length types.
[[nodiscard]] constexpr std::optional<std::size_t> fixedSizeOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte:
        return 1;
    case ColumnType::Integer:
        return 2;
    case ColumnType::Long:
    case ColumnType::Single:
        return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
        return 8;
    case ColumnType::Guid:
        return 16;
    case ColumnType::Decimal:
        return 17;
    default:
        return std::nullopt;
    }
}

} // namespace jet4
