#include "table_text.h"

#include "jet4/utf8_codec.h"

namespace jet4::test {

std::string utf8(std::u16string_view text)
{
    return jet4::utf8::fromUtf16(text);
}

std::vector<Row> rowsOf(const Table& table)
{
    std::vector<Row> rows(table.rowCount());
    for (std::size_t r = 0; r < table.rowCount(); ++r)
        for (std::size_t c = 0; c < table.columnCount(); ++c) {
            const std::optional<std::u16string_view> cell = table.cell(r, c);
            rows[r].push_back(cell ? std::optional<std::string>(utf8(*cell)) : std::nullopt);
        }
    return rows;
}

std::vector<std::string> columnNamesOf(const Table& table)
{
    std::vector<std::string> names;
    for (const Column& column : table.columns())
        names.push_back(column.name);
    return names;
}

} // namespace jet4::test
