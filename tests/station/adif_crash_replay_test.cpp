// Every input the ADIF fuzzer found crashing is read again: parsing it must end normally.
#include "station/adif_log.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

TEST(AdifCrashReplay, EveryCrashingInputNowParses)
{
    const std::filesystem::path crashes(ADIF_FUZZ_CRASHES_DIR);
    ASSERT_TRUE(std::filesystem::is_directory(crashes));
    for (const auto& entry : std::filesystem::directory_iterator(crashes)) {
        if (entry.path().filename() == "README.md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const station::AdifLog log = station::AdifLog::parse(bytes);
        EXPECT_LE(log.problems().size(), station::AdifLog::KeptProblems) << entry.path();
    }
}
