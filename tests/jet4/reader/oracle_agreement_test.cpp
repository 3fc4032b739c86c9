// Every table of every sample file, system tables included, reads as mdbtools prints it, apart
// from what mdbtools gets wrong (those cells are brought to its form, and row_shapes_test holds
// the right values written out).
#include "fixture_files.h"
#include "jet4/read/database.h"
#include "mdb_export.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace jet4::test {
namespace {

// Tables with rows Access moved: mdbtools returns those rows where they lie, not where they stand.
const std::set<std::pair<std::string, std::string>> TablesWithMovedRows{
    {"access2000-overflow-rows.mdb", "Table1"},
    {"access2003-unicode-compression.mdb", "MSysAccessStorage"},
};

std::string hexToText(const std::string& hex)
{
    std::string text;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return text;
}

std::string canonicalNumber(const std::string& text)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", std::strtod(text.c_str(), nullptr));
    return buffer;
}

// Brings our text and mdbtools' text for one cell to a form in which they must be equal.
std::optional<std::string> comparable(ColumnType type, std::optional<std::string> cell, bool ours)
{
    if (static_cast<unsigned>(type) == 0x11) return "(not shown by mdbtools)";
    if (!cell) return cell;
    std::string& text = *cell;
    switch (type) {
    case ColumnType::Boolean:
        return ours ? (text == "true" ? "1" : "0") : text;
    case ColumnType::Single:
    case ColumnType::Double:
        return canonicalNumber(text);
    case ColumnType::Ole:
        // mdbtools prints the bytes; we print their number.
        return ours ? text.substr(text.find(", ") + 2, text.find(' ', text.find(", ") + 2) - text.find(", ") - 2)
                    : std::to_string(text.size() / 2);
    case ColumnType::Binary:
        // mdbtools stops at the first zero byte.
        if (ours)
            for (std::size_t i = 0; i + 1 < text.size(); i += 2)
                if (text.compare(i, 2, "00") == 0) return text.substr(0, i);
        return text;
    case ColumnType::Text:
    case ColumnType::Memo:
        // ... and at U+0000 in text.
        return ours ? text.substr(0, text.find('\0')) : text;
    case ColumnType::Guid:
        // mdbtools prints a GUID's text as hex and drops its last dash.
        return ours ? text.erase(text.rfind('-'), 1) : hexToText(text);
    default:
        return text;
    }
}

class OracleAgreement : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(OracleAgreement, EveryTableReadsAsMdbExportPrintsIt)
{
    const std::filesystem::path& file = GetParam();
    const Database database = Database::open(file);
    EXPECT_EQ(database.tableNames(), mdbTables(file, false));

    const std::vector<std::string> allTables = mdbTables(file, true);
    ASSERT_FALSE(allTables.empty());
    for (const std::string& name : allTables) {
        SCOPED_TRACE(name);
        const Table table = database.readTable(name);
        const OracleTable oracle = mdbExport(file, name);
        ASSERT_EQ(columnNamesOf(table), oracle.columns);

        std::vector<Row> ours = rowsOf(table);
        std::vector<Row> theirs = oracle.rows;
        ASSERT_EQ(ours.size(), theirs.size());
        for (std::size_t r = 0; r < ours.size(); ++r) {
            ASSERT_EQ(ours[r].size(), theirs[r].size());
            for (std::size_t c = 0; c < ours[r].size(); ++c) {
                const ColumnType type = table.columns()[c].type;
                ours[r][c] = comparable(type, ours[r][c], true);
                theirs[r][c] = comparable(type, theirs[r][c], false);
            }
        }
        if (TablesWithMovedRows.contains({file.filename().string(), name})) {
            std::sort(ours.begin(), ours.end());
            std::sort(theirs.begin(), theirs.end());
        }
        EXPECT_EQ(ours, theirs);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, OracleAgreement, ::testing::ValuesIn(allFixtures()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& param) {
                             std::string name = param.param.stem().string();
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

} // namespace
} // namespace jet4::test
