// The reader never changes a file, and a file that shrinks under it gives an error, not a fault.
#include "fixture_files.h"
#include "jet4/database.h"
#include "jet4/error.h"

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
    std::filesystem::resize_file(path, 20 * 4096);
    try {
        (void)database.readTable("Table");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), path.string() + ": truncated");
    }
}

} // namespace
} // namespace jet4::test
