// Every file the writer makes is read back by mdb-export, an independent reader, and must give
// the source cell for cell, in order; an empty source cell must come back as NULL.

#include "jet4/format/utf8_codec.h"
#include "jet4/read/database.h"
#include "jet4/write/database_writer.h"
#include "mdb_export.h"
#include "sample_text.h"
#include "scratch_dir.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct RoundTripCase {
    std::string name;
    std::vector<std::string> columns;
    std::function<Rows()> rows;
};

Rows repeat(const std::vector<std::string>& row, std::size_t count)
{
    return Rows(count, row);
}

const std::vector<RoundTripCase>& cases()
{
    static const std::vector<RoundTripCase> all{
        {"NullAndEmpty",
         {"A", "B", "C"},
         [] {
             return Rows{{"", "x", ""}, {"", "", ""}, {"y", "", "z"}};
         }},
        // Access compresses only values of three or more characters in U+0001..U+00FF.
        {"CompressionBoundary",
         {"One", "Two", "Three", "Four"},
         [] {
             return Rows{{"a", "ab", "abc", "abcd"}, {"ä", "äö", "äöü", "ÿþý"}, {"1", "73", "599", "5 9 9"}};
         }},
        {"Latin1",
         {"Ger", "Fren"},
         [] {
             return Rows{{"Grüße aus München", "À bientôt, ça va ?"}, {"ß", "œuvre"}};
         }},
        {"Cyrillic",
         {"Rus"},
         [] {
             return Rows{{"Мир"}, {"Спасибо за QSO, 73!"}, {"Ё"}, {"Ѐ Ѐ"}};
         }},
        {"Japanese",
         {"Jap"},
         [] {
             return Rows{{"天気"}, {"一二三"}, {"ありがとうございました"}};
         }},
        {"MixedScripts", {"Mix"}, [] { return Rows{{"CQ DX de Ключ 東京 ü"}}; }},
        {"Full255Cyrillic",
         {"Rus", "Eng"},
         [] {
             return Rows{{cyrillic(255), "x"}, {"a", cyrillic(255)}};
         }},
        {"OverflowsOnePage", languageColumns(), [] { return phraseRows(120); }},
        // Two columns of one character: 255 rows fill a page exactly by count, not by bytes.
        {"ExactlyFullPages",
         {"A", "B"},
         [] {
             return repeat({"a", ""}, std::size_t{2} * 255);
         }},
        {"OneMoreThanFullPages", {"A"}, [] { return repeat({"z"}, 2 * 255 + 1); }},
        {"HundredThousandRows", languageColumns(), [] { return phraseRows(100000); }},
        {"NoRows", {"Rus", "Eng"}, [] { return Rows{}; }},
        // One 2.6 KB row a page: 16 300 data pages, past what inline maps on one page can list.
        {"ReferenceMaps",
         {"N", "A", "B", "C", "D"},
         [] {
             Rows rows;
             for (std::size_t i = 0; i < 16300; ++i)
                 rows.push_back({std::to_string(i), cyrillic(255), cyrillic(255), cyrillic(255), cyrillic(255)});
             return rows;
         }},
    };
    return all;
}

class WriterRoundTrip : public testing::TestWithParam<RoundTripCase> {};

// The file the writer makes of rows, opened from memory.
jet4::Database built(const std::vector<std::string>& columns, const Rows& rows)
{
    jet4::DatabaseWriter writer(columns);
    for (const auto& row : rows)
        writer.addRow(row);
    return jet4::Database::fromBytes(writer.build(), "out.dsb");
}

TEST_P(WriterRoundTrip, MdbExportReadsTheSourceBack)
{
    const RoundTripCase& c = GetParam();
    const Rows rows = c.rows();
    jet4::DatabaseWriter writer(c.columns);
    for (const auto& row : rows)
        writer.addRow(row);
    ScratchDir dir;
    writer.writeFile(dir / "out.dsb");

    const OracleTable exported = mdbExport(dir / "out.dsb", "Dict");
    ASSERT_EQ(exported.columns, c.columns);
    ASSERT_EQ(exported.rows.size(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(exported.rows[r].size(), c.columns.size()) << "row " << r;
        for (std::size_t col = 0; col < c.columns.size(); ++col) {
            const std::optional<std::string> expected =
                rows[r][col].empty() ? std::nullopt : std::optional<std::string>(rows[r][col]);
            ASSERT_EQ(exported.rows[r][col], expected) << "row " << r << ", column " << col;
        }
    }
}

// Our own reader, which the program uses, must also tell the NULLs apart from empty strings.
TEST_P(WriterRoundTrip, OurReaderReadsTheSourceBack)
{
    const RoundTripCase& c = GetParam();
    const Rows rows = c.rows();
    const jet4::Database database = built(c.columns, rows);
    ASSERT_EQ(database.tableNames(), std::vector<std::string>{"Dict"});
    const jet4::Table table = database.readTable("Dict");
    ASSERT_EQ(table.columnCount(), c.columns.size());
    for (std::size_t col = 0; col < c.columns.size(); ++col)
        EXPECT_EQ(table.columns()[col].name, c.columns[col]);
    ASSERT_EQ(table.rowCount(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t col = 0; col < c.columns.size(); ++col) {
            const std::optional<std::u16string_view> cell = table.cell(r, col);
            if (rows[r][col].empty()) {
                ASSERT_FALSE(cell.has_value()) << "row " << r << ", column " << col << " should be NULL";
            } else {
                ASSERT_TRUE(cell.has_value()) << "row " << r << ", column " << col;
                ASSERT_EQ(jet4::utf8::fromUtf16(*cell), rows[r][col]) << "row " << r << ", column " << col;
            }
        }
    }
}

// Read a page at a time, as a table too large to hold is: the same cells in the same order, never
// more rows at once than a page holds, and the columns shown even without rows.
TEST_P(WriterRoundTrip, OurReaderReadsTheSourceBackInParts)
{
    const RoundTripCase& c = GetParam();
    const Rows rows = c.rows();
    const jet4::Database database = built(c.columns, rows);
    std::size_t parts = 0;
    std::size_t r = 0;
    database.readTableInParts("Dict", [&](const jet4::Table& part) {
        ++parts;
        ASSERT_EQ(part.columnCount(), c.columns.size());
        EXPECT_EQ(part.columns().front().name, c.columns.front());
        EXPECT_LE(part.rowCount(), 255u) << "part " << parts;
        for (std::size_t row = 0; row < part.rowCount(); ++row, ++r) {
            ASSERT_LT(r, rows.size());
            for (std::size_t col = 0; col < c.columns.size(); ++col) {
                const std::optional<std::u16string_view> cell = part.cell(row, col);
                ASSERT_EQ(cell ? std::optional(jet4::utf8::fromUtf16(*cell)) : std::nullopt,
                          rows[r][col].empty() ? std::nullopt : std::optional(rows[r][col]))
                    << "row " << r << ", column " << col;
            }
        }
    });
    EXPECT_EQ(r, rows.size());
    EXPECT_GE(parts, 1u);
}

INSTANTIATE_TEST_SUITE_P(Families, WriterRoundTrip, testing::ValuesIn(cases()),
                         [](const auto& testCase) { return testCase.param.name; });

} // namespace

namespace {

// mdbtools cannot show characters outside the BMP, so only our reader checks them.
TEST(WriterRoundTripOwnReader, CharactersOutsideTheBasicPlaneSurvive)
{
    const std::string value = "73 \U0001F4FB \U00020000";
    jet4::DatabaseWriter writer({"Eng"});
    writer.addRow({value});
    const jet4::Table table = jet4::Database::fromBytes(writer.build(), "out.dsb").readTable("Dict");
    ASSERT_EQ(table.rowCount(), 1u);
    EXPECT_EQ(jet4::utf8::fromUtf16(table.cell(0, 0).value()), value);
}

} // namespace
