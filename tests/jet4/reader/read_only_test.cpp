// The reader never changes a file, and a file that shrinks under it gives an error, not a fault.
#include "fixture_files.h"
#include "jet4/format/error.h"
#include "jet4/read/database.h"
#include "jet4/write/database_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace jet4::test {
namespace {

struct FileState {
    std::vector<std::uint8_t> bytes;
    timespec modified{};
};

FileState stateOf(const std::filesystem::path& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return FileState{readBytes(path), info.st_mtim};
}

TEST(ReadOnly, ReadingEveryTableLeavesTheFileAsItWas)
{
    for (const std::filesystem::path& original : allFixtures()) {
        SCOPED_TRACE(original.filename().string());
        const ScratchDir scratch;
        const std::filesystem::path path = scratch.path() / original.filename();
        std::filesystem::copy_file(original, path);
        // Even write permission must not tempt it.
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        const FileState before = stateOf(path);
        {
            const Database database = Database::open(path);
            for (const std::string& name : database.tableNames())
                EXPECT_NO_THROW((void)database.readTable(name));
            (void)database.readTable("MSysObjects");
        }
        const FileState after = stateOf(path);
        EXPECT_TRUE(before.bytes == after.bytes);
        EXPECT_EQ(before.modified.tv_sec, after.modified.tv_sec);
        EXPECT_EQ(before.modified.tv_nsec, after.modified.tv_nsec);
    }
}

TEST(ReadOnly, FileCutShortWhileOpenGivesAnError)
{
    const ScratchDir scratch;
    const std::filesystem::path path = scratch.path() / "shrinking.mdb";
    std::filesystem::copy_file(fixture("jet4/access2000-two-text-columns.mdb"), path);
    const Database database = Database::open(path);
    std::filesystem::resize_file(path, std::uintmax_t{20} * 4096);
    try {
        (void)database.readTable("Table");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), path.string() + ": truncated");
    }
}

// The reader keeps a window of the file's pages for speed; a table read again after the file
// was rewritten in place must come from the new bytes, not from that window.
TEST(ReadOnly, ReadingAgainSeesTheFileAsItIsNow)
{
    const ScratchDir scratch;
    const std::filesystem::path path = scratch.path() / "phrases.mdb";
    const auto write = [&](const std::string& text) {
        DatabaseWriter writer({"Eng"});
        writer.addRow({text});
        writer.writeFile(scratch.path() / "next.mdb");
        writeBytes(path, readBytes(scratch.path() / "next.mdb")); // the same file, not a new one
    };
    write("Good morning");
    const Database database = Database::open(path);
    EXPECT_EQ(rowsOf(database.readTable("Dict")), std::vector<Row>{{"Good morning"}});
    write("Good evening");
    EXPECT_EQ(rowsOf(database.readTable("Dict")), std::vector<Row>{{"Good evening"}});
}

// A table read into the storage of another gives exactly what a fresh read gives, whatever the
// two tables' shapes.
TEST(ReadOnly, ReadingIntoAnotherTablesStorageGivesTheSameTable)
{
    Table storage;
    for (const std::filesystem::path& file : allFixtures()) {
        SCOPED_TRACE(file.filename().string());
        const Database database = Database::open(file);
        for (const std::string& name : database.tableNames()) {
            const Table fresh = database.readTable(name);
            storage = database.readTable(name, u'.', std::move(storage));
            EXPECT_EQ(columnNamesOf(storage), columnNamesOf(fresh));
            EXPECT_EQ(rowsOf(storage), rowsOf(fresh));
        }
    }
}

} // namespace
} // namespace jet4::test
