#pragma once

#include "column.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jet4 {

// A whole table read in one pass: its columns and every cell as display text.
// All text lives in one UTF-16 buffer; a cell is a slice of it, so a table of
// many rows costs one allocation for its text and four bytes per cell besides.
class Table {
public:
    Table() = default;
    explicit Table(std::vector<Column> columns);

    [[nodiscard]] const std::vector<Column>& columns() const { return m_columns; }
    [[nodiscard]] std::size_t columnCount() const { return m_columns.size(); }
    [[nodiscard]] std::size_t rowCount() const;

    // The cell's text, or nullopt for NULL (an empty string is a present, empty value).
    [[nodiscard]] std::optional<std::u16string_view> cell(std::size_t row, std::size_t column) const;

    // Empties the table and gives it new columns, keeping the memory its text and cells took:
    // reading a large table again into the same storage costs no fresh pages.
    void reset(std::vector<Column> columns);
    // Drops the rows and keeps the columns and the memory: a table read in parts reuses it.
    void clearRows();

    // Filling, row by row and column by column (used by the reader).
    void reserveText(std::size_t chars);
    void appendCell(std::u16string_view text);
    void appendNull();
    // Appends room for up to maxChars characters; the caller writes into it and then
    // closes the cell with the number it used. Saves a copy when decoding text.
    [[nodiscard]] char16_t* beginCell(std::size_t maxChars);
    void endCell(std::size_t usedChars);

private:
    static constexpr std::uint32_t NullBit = 0x80000000u;
    std::vector<Column> m_columns;
    // A vector, not a u16string: moving an empty table over a full one must free the text, and
    // a string moved onto from a short string keeps its old buffer.
    std::vector<char16_t> m_text;
    std::vector<std::uint32_t> m_ends; // end offset of each cell in m_text, NullBit set for NULL
};

} // namespace jet4
