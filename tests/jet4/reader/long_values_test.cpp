// Long values as Access stores them. No user table in the sample files has a memo, so the catalog's
// LvProp column (OLE) stands in: every value is reassembled and compared byte for byte with mdbtools.
#include "fixture_files.h"
#include "jet4/read/database_header.h"
#include "jet4/read/long_value_reader.h"
#include "jet4/read/memory_page_source.h"
#include "jet4/read/row_decoder.h"
#include "jet4/read/table_definition.h"
#include "jet4/read/table_scanner.h"
#include "jet4/read/value_formatter.h"
#include "mdb_export.h"

#include <array>
#include <gtest/gtest.h>

namespace jet4::test {
namespace {

struct LvPropCollector {
    RowDecoder rows;
    const ColumnDefinition& column;
    LongValueReader values;
    std::vector<std::optional<std::string>> hex;
    std::array<int, 4> storageSeen{};

    void row(std::span<const std::uint8_t> bytes)
    {
        rows.load(bytes);
        const auto slot = rows.value(column);
        if (!slot) {
            hex.emplace_back();
            return;
        }
        ++storageSeen[(*slot)[3] >> 6];
        const std::span<const std::uint8_t> value = values.read(*slot);
        std::u16string text(2 * value.size(), u'\0');
        text.resize(ValueFormatter::hex(value, text.data()));
        hex.emplace_back(std::string(text.begin(), text.end()));
    }
    void pageDone(std::size_t, std::size_t) {}
};

TEST(LongValues, InlineSingleRowAndChainedValuesReassembleExactly)
{
    const std::filesystem::path file = fixture("jet4/access2000-column-types.mdb");
    const MemoryPageSource source(readBytes(file));
    const PageReader pages(source, DatabaseHeader::read(source).layout());
    const TextDecoder text(nullptr);
    const TableDefinition catalog = TableDefinition::read(pages, 2, text);
    const auto lvProp = std::find_if(catalog.columns().begin(), catalog.columns().end(),
                                     [](const ColumnDefinition& c) { return c.name == u"LvProp"; });
    ASSERT_NE(lvProp, catalog.columns().end());

    LvPropCollector collector{RowDecoder(pages.layout(), catalog), *lvProp, LongValueReader(pages), {}, {}};
    TableScanner(pages, catalog).scan(collector);

    const OracleTable oracle = mdbExport(file, "MSysObjects");
    const std::size_t column = static_cast<std::size_t>(
        std::find(oracle.columns.begin(), oracle.columns.end(), "LvProp") - oracle.columns.begin());
    ASSERT_EQ(collector.hex.size(), oracle.rows.size());
    for (std::size_t r = 0; r < oracle.rows.size(); ++r)
        EXPECT_EQ(collector.hex[r], oracle.rows[r].at(column)) << "row " << r;
    // Inline (0x80), one LVAL row (0x40) and a chain (0x00) all occur.
    EXPECT_GT(collector.storageSeen[2], 0);
    EXPECT_GT(collector.storageSeen[1], 0);
    EXPECT_GT(collector.storageSeen[0], 0);
}

} // namespace
} // namespace jet4::test
