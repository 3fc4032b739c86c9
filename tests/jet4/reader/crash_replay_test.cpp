// Every input that ever crashed the fuzzer, and every sample file, read through the in-memory
// entry point: each must either read or fail with jet4::Error, nothing else.
#include "fixture_files.h"
#include "jet4/format/error.h"
#include "jet4/read/database.h"

#include <gtest/gtest.h>

namespace jet4::test {
namespace {

void readEverything(const std::filesystem::path& path)
{
    try {
        const Database database = Database::fromBytes(readBytes(path), path.filename().string());
        for (const std::string& name : database.tableNames()) {
            try {
                (void)database.readTable(name, u',');
            } catch (const Error&) {
                // one damaged table does not stop the others from being read
            }
        }
    } catch (const Error&) {
    }
}

TEST(CrashReplay, FuzzerFindingsAndSampleFilesReadOrFailCleanly)
{
    std::vector<std::filesystem::path> inputs = allFixtures();
    const std::filesystem::path crashes(JET4_FUZZ_CRASHES_DIR);
    if (std::filesystem::is_directory(crashes))
        for (const auto& entry : std::filesystem::directory_iterator(crashes))
            if (entry.is_regular_file() && entry.path().extension() != ".md") inputs.push_back(entry.path());
    for (const std::filesystem::path& input : inputs) {
        SCOPED_TRACE(input.string());
        EXPECT_NO_FATAL_FAILURE(readEverything(input));
    }
}

} // namespace
} // namespace jet4::test
