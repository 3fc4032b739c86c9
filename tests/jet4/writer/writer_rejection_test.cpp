// What the writer refuses, and that the error locates the offending name, row and cell.

#include "jet4/write/database_writer.h"
#include "jet4/write/write_error.h"
#include "sample_text.h"
#include "scratch_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct BadNames {
    std::string name;
    std::vector<std::string> columns;
    std::string table;
    std::optional<std::size_t> column; // which column the error names
    std::string reason;                // a part of the message
};

class WriterRejectsNames : public testing::TestWithParam<BadNames> {};

TEST_P(WriterRejectsNames, WithTheColumnNamed)
{
    const BadNames& c = GetParam();
    try {
        jet4::DatabaseWriter writer(c.columns, c.table);
        FAIL() << "accepted";
    } catch (const jet4::WriteError& e) {
        EXPECT_EQ(e.column(), c.column);
        EXPECT_FALSE(e.row().has_value());
        EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriterRejectsNames,
    testing::Values(BadNames{"Duplicate", {"Rus", "Eng", "Rus"}, "Dict", 2, "duplicate column name"},
                    BadNames{"DuplicateIgnoringCase", {"Rus", "RUS"}, "Dict", 1, "duplicate column name"},
                    BadNames{"EmptyColumn", {"Rus", ""}, "Dict", 1, "empty column name"},
                    BadNames{"Hyphen", {"Rus-P"}, "Dict", 0, "only the letters"},
                    BadNames{"Cyrillic", {"Рус"}, "Dict", 0, "only the letters"},
                    BadNames{"LeadingSpace", {" Rus"}, "Dict", 0, "space"},
                    BadNames{"TooLong", {std::string(65, 'a')}, "Dict", 0, "longer than 64"},
                    BadNames{"NoColumns", {}, "Dict", std::nullopt, "1 to 255 columns"},
                    BadNames{"TooManyColumns", std::vector<std::string>(256, "a"), "Dict", std::nullopt, "columns"},
                    BadNames{"TableApostrophe", {"Rus"}, "Dict's", std::nullopt, "only the letters"},
                    BadNames{"SystemTableName", {"Rus"}, "MSysObjects", std::nullopt, "system tables"},
                    BadNames{"EmptyTable", {"Rus"}, "", std::nullopt, "empty table name"}),
    [](const auto& testCase) { return testCase.param.name; });

struct BadRow {
    std::string name;
    std::vector<std::string> cells;
    std::optional<std::size_t> column;
    std::string reason;
};

class WriterRejectsRows : public testing::TestWithParam<BadRow> {};

TEST_P(WriterRejectsRows, NamingRowAndCellAndKeepingTheRowsBefore)
{
    const BadRow& c = GetParam();
    jet4::DatabaseWriter writer({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    writer.addRow(std::vector<std::string>(9, "fine"));
    try {
        writer.addRow(c.cells);
        FAIL() << "accepted";
    } catch (const jet4::WriteError& e) {
        EXPECT_EQ(e.row(), 1u);
        EXPECT_EQ(e.column(), c.column);
        EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
    }
    EXPECT_EQ(writer.rowCount(), 1u);
    writer.addRow(std::vector<std::string>(9, "still fine"));
    EXPECT_EQ(writer.rowCount(), 2u);
}

std::vector<std::string> nineWith(std::size_t column, std::string value)
{
    std::vector<std::string> cells(9, "x");
    cells[column] = std::move(value);
    return cells;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriterRejectsRows,
    testing::Values(BadRow{"TooFewCells", std::vector<std::string>(8, "x"), std::nullopt, "expected 9 cells, found 8"},
                    BadRow{"TooManyCells", std::vector<std::string>(10, "x"), std::nullopt, "found 10"},
                    BadRow{"Latin256", nineWith(3, std::string(256, 'a')), 3, "longer than 255 UTF-16 units (256)"},
                    BadRow{"Cyrillic256", nineWith(0, cyrillic(256)), 0, "longer than 255"},
                    // 128 characters outside the BMP are 256 UTF-16 units, as Jet counts them.
                    BadRow{"Surrogates",
                           nineWith(8,
                                    [] {
                                        std::string s;
                                        for (int i = 0; i < 128; ++i)
                                            s += "\U0001F600";
                                        return s;
                                    }()),
                           8, "longer than 255 UTF-16 units (256)"},
                    BadRow{"RowTooLong", std::vector<std::string>(9, cyrillic(255)), std::nullopt,
                           "row too long for a page"},
                    BadRow{"StrayContinuation", nineWith(1, "ab\x80"), 1, "malformed UTF-8 at byte 3"},
                    BadRow{"Truncated", nineWith(2, "\xD0"), 2, "malformed UTF-8 at byte 1"},
                    BadRow{"Overlong", nineWith(2, "\xC0\xAF"), 2, "malformed UTF-8"},
                    BadRow{"Surrogate", nineWith(2, "\xED\xA0\x80"), 2, "malformed UTF-8"},
                    BadRow{"BeyondUnicode", nineWith(2, "\xF4\x90\x80\x80"), 2, "malformed UTF-8"},
                    BadRow{"ByteOrderMark", nineWith(5, "\xEF\xBB\xBFtext"), 5, "U+FEFF"}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(WriterFiles, AFailedWriteLeavesNoFileAndAnExistingOneUntouched)
{
    ScratchDir dir;
    jet4::DatabaseWriter writer({"Rus"});
    writer.addRow({"Мир"});
    EXPECT_THROW(writer.writeFile(dir / "missing" / "out.dsb"), jet4::WriteError);

    // A directory in the way of the rename: the write fails after the temporary file is
    // complete, and the temporary file must not stay behind.
    std::filesystem::create_directory(dir / "taken.dsb");
    std::ofstream(dir / "taken.dsb" / "keep") << "x";
    EXPECT_THROW(writer.writeFile(dir / "taken.dsb"), jet4::WriteError);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "only the directory itself";

    std::ofstream(dir / "old.dsb") << "old";
    writer.writeFile(dir / "old.dsb");
    EXPECT_EQ(std::filesystem::file_size(dir / "old.dsb") % 4096, 0u);
}

TEST(WriterFiles, TheHookRunsWithTheNewFileCompleteAndTheOldInPlace)
{
    ScratchDir dir;
    jet4::DatabaseWriter writer({"Rus"});
    writer.addRow({"Мир"});
    const std::filesystem::path file = dir / "my.dsb";
    std::ofstream(file) << "old";
    const std::string prefix = jet4::DatabaseWriter::temporaryFilePrefix(file);
    const auto temporaryFiles = [&] {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path());
        return found;
    };

    // A throwing hook stops the write: the old file stays, the temporary one goes.
    std::uintmax_t seenSize = 0;
    EXPECT_THROW(writer.writeFile(file,
                                  [&] {
                                      ASSERT_EQ(temporaryFiles().size(), 1u);
                                      seenSize = std::filesystem::file_size(temporaryFiles().front());
                                      throw std::runtime_error("no backup");
                                  }),
                 std::runtime_error);
    EXPECT_EQ(std::filesystem::file_size(file), 3u);
    EXPECT_TRUE(temporaryFiles().empty());

    writer.writeFile(file);
    EXPECT_EQ(std::filesystem::file_size(file), seenSize) << "the hook saw the whole new file";
}

} // namespace
