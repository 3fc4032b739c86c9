#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace jet4::writing {

// Turns one row of UTF-8 cells into a Jet 4 row of a table whose columns are all variable-length
// Text columns that allow Unicode compression, numbered 0..n-1 with variable slots 0..n-1.
// Rejects what Jet could not store or would read back differently.
class RowEncoder {
public:
    static constexpr std::size_t MaxTextLength = 255; // UTF-16 units, as Jet counts characters
    static constexpr std::size_t MaxRowSize = 4060;   // the largest row Jet 4 writes on a page

    RowEncoder(std::size_t columnCount, std::string tableName);

    // Appends the encoded row to out, or throws a WriteError naming rowIndex and, for a bad
    // value, its column; out is then unchanged. An empty cell becomes NULL.
    void append(std::span<const std::string> cells, std::size_t rowIndex, std::vector<std::uint8_t>& out);

    // Bytes of a row whose every value is NULL: the smallest row this table can have.
    [[nodiscard]] std::size_t minimumRowSize() const;

    // A row of any table, such as the system catalog's: columnCount columns, the fixed-length
    // values as fixedArea holds them, the variable-length values in slot order (an empty one
    // takes no bytes), and the null mask, a set bit for each column that has a value.
    [[nodiscard]] static std::vector<std::uint8_t> assemble(std::uint16_t columnCount,
                                                            std::span<const std::uint8_t> fixedArea,
                                                            std::span<const std::span<const std::uint8_t>> values,
                                                            std::span<const std::uint8_t> nullMask);

private:
    // Writes the trailer after the variable data, which ends at dataEnd; starts holds each
    // slot's start. row ends with the trailer.
    static void writeTrailer(std::span<std::uint8_t> row, std::size_t dataEnd, std::span<const std::size_t> starts,
                             std::span<const std::uint8_t> nullMask);

    void encodeValue(const std::string& cell, std::size_t rowIndex, std::size_t column);
    [[noreturn]] void fail(const std::string& reason, std::size_t rowIndex, std::size_t column) const;

    std::size_t m_columnCount;
    std::string m_tableName;
    std::u16string m_text;            // the cell being encoded
    std::vector<std::uint8_t> m_data; // the row's variable data so far
    std::vector<std::size_t> m_starts;
    std::vector<std::uint8_t> m_nullMask;
};

} // namespace jet4::writing
