// Rows in the shapes Access leaves behind, against exact expected values.
#include "fixture_files.h"
#include "jet4/read/database.h"

#include <gtest/gtest.h>

namespace jet4::test {
namespace {

const std::nullopt_t N = std::nullopt;

struct Expected {
    const char* file;
    const char* table;
    std::vector<std::string> columns;
    std::vector<Row> rows;
};

void PrintTo(const Expected& expected, std::ostream* out)
{
    *out << expected.file << " " << expected.table;
}

class RowShapes : public ::testing::TestWithParam<Expected> {};

TEST_P(RowShapes, TableReadsExactly)
{
    const Expected& expected = GetParam();
    const Table table = Database::open(fixture(expected.file)).readTable(expected.table);
    EXPECT_EQ(columnNamesOf(table), expected.columns);
    EXPECT_EQ(rowsOf(table), expected.rows);
}

INSTANTIATE_TEST_SUITE_P(
    AccessFiles, RowShapes,
    ::testing::Values(
        // A deleted row of zero length between two live ones.
        Expected{"jet4/access2000-two-text-columns.mdb", "Table", {"a", "b"}, {{"z", "y"}, {"v", "u"}}},
        Expected{"jet3/access97-deleted-row.mdb", "Table", {"a", "b"}, {{"z", "y"}, {"v", "u"}}},
        // Rows 3 and 5 moved to other pages: they stand where their pointers are. Rows written
        // before columns were added end early; the later columns read as NULL.
        Expected{"jet4/access2000-overflow-rows.mdb",
                 "Table1",
                 {"data1", "data3", "data4", "data5", "data6", "data7", "data8", "data9", "data10"},
                 {{"row1col1", N, N, N, N, N, N, N, N},
                  {"row2col1", "row2col3", N, N, N, N, N, N, N},
                  {N, "row3col3", N, N, N, N, N, "row3col9", N},
                  {"row4col1", "row4col2", N, N, N, N, N, N, N},
                  {N, "row5col2", N, N, N, N, N, N, N},
                  {N, "row6col2", "row6col3", N, N, N, N, N, N},
                  {"row7col1", N, N, N, N, "row7col7", N, N, N}}},
        // Columns 1 and 4 were deleted after the rows were written; their bytes stay in the rows.
        Expected{"jet4/access2000-deleted-column.mdb",
                 "Table1",
                 {"id", "id2", "data", "data2"},
                 {{"0", "2", "foo", "foo2"}, {"3", "5", "bar", "bar2"}}},
        Expected{"jet4/access2000-column-types.mdb",
                 "Table1",
                 {"A", "B", "C", "D", "E", "F", "G", "H", "I"},
                 {{"abcdefg", "hijklmnop", "2", "222", "333333333", "444.555", "1974-09-21 00:00:00", "3.5000", "true"},
                  {"a", "b", "0", "0", "0", "0", "1981-12-12 00:00:00", "0.0000", "false"}}},
        Expected{
            "jet3/access97-column-types.mdb",
            "Table1",
            {"A", "B", "C", "D", "E", "F", "G", "H", "I"},
            {{"a", "b", "0", "0", "0", "0", "1981-12-12 00:00:00", "0.0000", "false"},
             {"abcdefg", "hijklmnop", "2", "222", "333333333", "444.555", "1974-09-21 00:00:00", "3.5000", "true"}}},
        // mdbtools cuts the name at its U+0000 and drops the GUID's last dash.
        Expected{"jet4/access2000-id-text.mdb",
                 "MSysNameMap",
                 {"GUID", "Id", "Name", "NameMap", "Type"},
                 {{"{5E0513E6-96E9-43A9-A42F-58B4950CC05C}", "11", std::string("Table1\0", 7),
                   "<OLE object, 194 bytes>", "1"}}},
        Expected{"jet4/access2003-unicode-compression.mdb",
                 "MSysNameMap",
                 {"GUID", "Id", "Name", "NameMap", "Type"},
                 {{"{BF8178D4-EB98-47A3-9EDA-6D21C326C5C8}", "5", std::string("Table\0", 6), "<OLE object, 198 bytes>",
                   "1"}}}));

// The definition of Table2 spans two pages; its index blocks straddle the seam.
TEST(RowShapes, TwoPageDefinitionGivesEveryColumnInOrder)
{
    for (const char* file : {"jet4/access2000-column-types.mdb", "jet3/access97-column-types.mdb"}) {
        SCOPED_TRACE(file);
        const Table table = Database::open(fixture(file)).readTable("Table2");
        ASSERT_EQ(table.columnCount(), 89u);
        for (std::size_t i = 0; i < table.columnCount(); ++i)
            EXPECT_EQ(table.columns()[i].name, "column" + std::to_string(i + 1));
        EXPECT_EQ(table.rowCount(), 0u);
    }
}

TEST(RowShapes, BlankDatabasesHaveNoUserTables)
{
    for (const char* file : {"jet4/access2000-blank.mdb", "jet4/jet4-adox-blank.mdb"}) {
        const Database database = Database::open(fixture(file));
        EXPECT_TRUE(database.tableNames().empty()) << file;
        EXPECT_EQ(database.readTable("MSysObjects").columnCount(), 17u) << file;
    }
}

TEST(RowShapes, TablesAreFoundWithoutRegardToCase)
{
    const Database database = Database::open(fixture("jet4/access2000-id-text.mdb"));
    EXPECT_EQ(database.format(), Format::Jet4);
    for (const char* name : {"Table1", "TABLE1", "table1", "tAbLe1"})
        EXPECT_EQ(database.readTable(name).rowCount(), 3u) << name;
    EXPECT_EQ(Database::open(fixture("jet3/access97-deleted-row.mdb")).format(), Format::Jet3);
}

} // namespace
} // namespace jet4::test
