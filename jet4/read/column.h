#pragma once

#include "jet4/format/column_type.h"

#include <cstdint>
#include <string>

namespace jet4 {

// One column of a table as its definition gives it. Columns are listed in column-number order.
struct Column {
    std::string name; // UTF-8, as the file writes it
    ColumnType type = ColumnType::Text;
    std::uint16_t number = 0; // the column's identity in rows (keeps gaps of deleted columns)
};

} // namespace jet4
