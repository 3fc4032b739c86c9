// dsbtool as a user runs it: the real binary, real files, exit status and messages.

#include "file_contents.h"
#include "scratch_dir.h"
#include "tool_run.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The last row holds a named blank, which the file stores as written.
const std::string Source = "Rus\tEng\tJap\n"
                           "Привет\tHello\tこんにちは\n"
                           "73\t\t\n"
                           "Погода\tWeather: 20 °C\t天気\n"
                           "Меня зовут {my_name}\tMy name is {my_name}\t名前は{my_name}です。\n";

TEST(DsbtoolBuild, DumpGivesTheSourceBackAndTablesCountsTheRows)
{
    const ScratchDir dir;
    // A byte order mark and CRLF line ends, as editors on other systems write them.
    std::string crlf;
    for (const char c : Source)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writeText(dir / "phrases.tsv", "\xEF\xBB\xBF" + crlf);

    const ToolRun build = runDsbtool({"build", "phrases.dsb", "phrases.tsv"}, dir.path());
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.out + build.err, "");

    const ToolRun dump = runDsbtool({"dump", "phrases.dsb"}, dir.path());
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, Source);

    const ToolRun tables = runDsbtool({"tables", "phrases.dsb"}, dir.path());
    EXPECT_EQ(tables.status, 0);
    EXPECT_EQ(tables.out, "Dict\t4\n");
}

TEST(DsbtoolBuild, SameSourceGivesTheSameBytesAndSourceDateEpochSetsTheDate)
{
    const ScratchDir dir;
    writeText(dir / "a.tsv", Source);
    ASSERT_EQ(runDsbtool({"build", "one.dsb", "a.tsv"}, dir.path()).status, 0);
    ASSERT_EQ(runDsbtool({"build", "two.dsb", "a.tsv"}, dir.path()).status, 0);
    ASSERT_EQ(runDsbtool({"build", "three.dsb", "a.tsv"}, dir.path(), "1700000000").status, 0);
    ASSERT_EQ(runDsbtool({"build", "four.dsb", "a.tsv"}, dir.path(), "1700000000").status, 0);
    EXPECT_EQ(readText(dir / "one.dsb"), readText(dir / "two.dsb"));
    EXPECT_EQ(readText(dir / "three.dsb"), readText(dir / "four.dsb"));
    EXPECT_NE(readText(dir / "one.dsb"), readText(dir / "three.dsb"));

    const ToolRun bad = runDsbtool({"build", "five.dsb", "a.tsv"}, dir.path(), "yesterday");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("SOURCE_DATE_EPOCH"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "five.dsb"));
}

struct BadSource {
    std::string name;
    std::string text;
    std::string message; // the first line of standard error, exactly
};

class DsbtoolRejects : public testing::TestWithParam<BadSource> {};

TEST_P(DsbtoolRejects, WithLineAndCellAndWithoutTouchingTheOutput)
{
    const ScratchDir dir;
    writeText(dir / "src.tsv", GetParam().text);
    writeText(dir / "out.dsb", "previous");
    const ToolRun run = runDsbtool({"build", "out.dsb", "src.tsv"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, GetParam().message + "\n");
    EXPECT_EQ(readText(dir / "out.dsb"), "previous");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DsbtoolRejects,
    testing::Values(BadSource{"TooFewCells", "A\tB\nx\ty\nz\n", "src.tsv:3: expected 2 cells, found 1"},
                    BadSource{"TooManyCells", "A\tB\nx\ty\tz\n", "src.tsv:2: expected 2 cells, found 3"},
                    BadSource{"LongValue", "A\tB\nx\t" + std::string(256, 'b') + "\n",
                              "src.tsv:2:2: value longer than 255 UTF-16 units (256)"},
                    BadSource{"MalformedUtf8", "A\tB\r\nok\tok\r\nx\t\xFF\r\n",
                              "src.tsv:3:2: malformed UTF-8 at byte 1 of the value"},
                    BadSource{"DuplicateColumn", "Rus\tEng\trus\n",
                              "src.tsv:1:3: duplicate column name \"rus\" (same as column 1; Jet ignores case)"},
                    BadSource{"BadColumnName", "Rus\tEng.\n",
                              "src.tsv:1:2: column name \"Eng.\" may use only the letters A-Z and a-z, digits and "
                              "spaces"},
                    BadSource{"Empty", "", "src.tsv: empty file; its first line must name the columns"},
                    // A NUL would end the message where it stands; the rest of the name shows.
                    BadSource{"NulInColumnName", std::string("Rus\tE\0ng\n", 9),
                              "src.tsv:1:2: column name \"E\\x00ng\" may use only the letters A-Z and a-z, digits "
                              "and spaces"},
                    BadSource{"CrOnlyLineEnds", "A\tB\rx\ty\r",
                              "src.tsv:1: carriage return (CR) without a line feed; lines must end in LF or CRLF, "
                              "not CR alone"}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(DsbtoolErrors, FilesThatCannotBeReadOrWritten)
{
    const ScratchDir dir;
    writeText(dir / "a.tsv", Source);
    writeText(dir / "notjet.dsb", std::string(8192, 'x'));

    const ToolRun missing = runDsbtool({"build", "a.dsb", "missing.tsv"}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("missing.tsv: cannot read:", 0), 0u) << missing.err;

    const ToolRun noFolder = runDsbtool({"build", "no/such/a.dsb", "a.tsv"}, dir.path());
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_EQ(noFolder.err.rfind("no/such/a.dsb: ", 0), 0u) << noFolder.err;

    const ToolRun notJet = runDsbtool({"dump", "notjet.dsb"}, dir.path());
    EXPECT_EQ(notJet.status, 1);
    EXPECT_EQ(notJet.err.rfind("notjet.dsb", 0), 0u) << notJet.err;

    ASSERT_EQ(runDsbtool({"build", "a.dsb", "a.tsv"}, dir.path()).status, 0);
    const ToolRun noTable = runDsbtool({"dump", "a.dsb", "Other"}, dir.path());
    EXPECT_EQ(noTable.status, 1);
    EXPECT_NE(noTable.err.find("Other"), std::string::npos) << noTable.err;
    for (const auto& run : {missing, noFolder, notJet, noTable})
        EXPECT_EQ(run.err.find("terminate"), std::string::npos);
}

// A source whose build spends a while writing its file (some megabytes).
std::string largeSource()
{
    std::string source = "A\tB\n";
    for (int row = 0; row < 20000; ++row)
        source += std::to_string(row) + "\t" + std::string(250, 'x') + "\n";
    return source;
}

std::vector<std::string> temporaries(const ScratchDir& dir, const std::string& destination)
{
    std::vector<std::string> names;
    std::error_code error; // the writer may remove a file while we list the folder
    for (auto entry = std::filesystem::directory_iterator(dir.path(), error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        if (entry->path().filename().string().starts_with("." + destination + ".tmp-"))
            names.push_back(entry->path().filename().string());
    return names;
}

// Builds out.dsb from src.tsv and sends the build `signal` as soon as its temporary file shows.
// Returns the wait status, or nullopt when the build was done before the temporary was seen.
std::optional<int> signalBuildWhileWriting(const ScratchDir& dir, int signal)
{
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0 || chdir(dir.path().c_str()) != 0) _exit(127);
        execl(DSBTOOL_PATH, DSBTOOL_PATH, "build", "out.dsb", "src.tsv", static_cast<char*>(nullptr));
        _exit(127);
    }
    // The writer's own name for it; looking for one name is quicker than listing the folder.
    const std::filesystem::path temporary = dir.path() / (".out.dsb.tmp-" + std::to_string(child) + "-0");
    bool sent = false;
    for (int status = 0;;) {
        if (!sent && access(temporary.c_str(), F_OK) == 0) sent = kill(child, signal) == 0;
        if (waitpid(child, &status, sent ? 0 : WNOHANG) == child) return sent ? std::optional(status) : std::nullopt;
    }
}

// The build is caught while writing; a busy machine could let it finish first, so a few tries.
int stopBuildWhileWriting(const ScratchDir& dir, int signal)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::filesystem::remove(dir.path() / "out.dsb");
        if (const std::optional<int> status = signalBuildWhileWriting(dir, signal)) return *status;
    }
    throw std::runtime_error("the build never showed its temporary file");
}

class DsbtoolStopped : public testing::TestWithParam<int> {};

// SIGINT and SIGTERM wait for the file to be whole or gone: nothing partial stays behind, and
// what does stay is a complete data file.
TEST_P(DsbtoolStopped, WhileWritingLeavesNoTemporaryFile)
{
    const ScratchDir dir;
    writeText(dir.path() / "src.tsv", largeSource());
    const int status = stopBuildWhileWriting(dir, GetParam());
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
    EXPECT_EQ(temporaries(dir, "out.dsb"), std::vector<std::string>{});
    if (std::filesystem::exists(dir.path() / "out.dsb")) {
        EXPECT_EQ(runDsbtool({"tables", "out.dsb"}, dir.path()).out, "Dict\t20000\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, DsbtoolStopped, testing::Values(SIGINT, SIGTERM),
                         [](const testing::TestParamInfo<int>& signal) {
                             return std::string(sigabbrev_np(signal.param));
                         });

// SIGKILL leaves the temporary behind; the next build of the same file removes it, but not one
// of a writer still running, nor one of another file.
TEST(DsbtoolBuild, RemovesTemporariesThatKilledBuildsLeft)
{
    const ScratchDir dir;
    writeText(dir.path() / "src.tsv", largeSource());
    // The kill can come just after the temporary became out.dsb: then once more.
    std::vector<std::string> left;
    for (int attempt = 0; attempt < 5 && left.empty(); ++attempt) {
        const int status = stopBuildWhileWriting(dir, SIGKILL);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
        left = temporaries(dir, "out.dsb");
    }
    ASSERT_EQ(left.size(), 1u);

    const std::string running = ".out.dsb.tmp-" + std::to_string(getpid()) + "-0";
    const std::string otherFile = ".other.dsb" + left.front().substr(std::string(".out.dsb").size());
    writeText(dir.path() / running, "still being written");
    writeText(dir.path() / otherFile, "another file's");
    writeText(dir.path() / "small.tsv", Source);
    const ToolRun build = runDsbtool({"build", "out.dsb", "small.tsv"}, dir.path());
    EXPECT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(temporaries(dir, "out.dsb"), std::vector<std::string>{running});
    EXPECT_TRUE(std::filesystem::exists(dir.path() / otherFile));
}

// A listing cut short by a full disk must not pass for a whole one.
TEST(DsbtoolDump, FailsWhenItsOutputCannotBeWritten)
{
    const ScratchDir dir;
    // Megabytes of text, more than any buffer on the way holds, so that writes fail midway.
    writeText(dir.path() / "a.tsv", largeSource());
    ASSERT_EQ(runDsbtool({"build", "a.dsb", "a.tsv"}, dir.path()).status, 0);
    const ToolRun full = runDsbtool({"dump", "a.dsb"}, dir.path(), std::nullopt, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, std::string("standard output: cannot write: ") + std::strerror(ENOSPC) + "\n");
}

TEST(DsbtoolUsage, WrongCommandLinesExitWithTwoAndShowTheUsage)
{
    const ScratchDir dir;
    const std::vector<std::vector<std::string>> wrong{{},       {"frobnicate"},       {"build", "only.dsb"},
                                                      {"dump"}, {"tables", "a", "b"}, {"dump", "a", "b", "c"}};
    for (const auto& args : wrong) {
        const ToolRun run = runDsbtool(args, dir.path());
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_NE(run.err.find("Usage: dsbtool build OUT.dsb SOURCE.tsv"), std::string::npos);
    }
    const ToolRun help = runDsbtool({"--help"}, dir.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos);
}

// Files made elsewhere: Access-written Jet 4 and Jet 3 samples.
TEST(DsbtoolDump, ReadsFilesAccessWrote)
{
    const ScratchDir dir;
    const std::filesystem::path fixtures = TARVOLYN_FIXTURES_DIR;
    const ToolRun only = runDsbtool({"dump", (fixtures / "jet4/access2000-id-text.mdb").string()}, dir.path());
    EXPECT_EQ(only.status, 0) << only.err;
    EXPECT_EQ(only.out, "ID\tData\n1\tOne\n2\tTwo\n3\tThree\n");

    const ToolRun jet3 = runDsbtool({"dump", (fixtures / "jet3/access97-deleted-row.mdb").string()}, dir.path());
    EXPECT_EQ(jet3.status, 0) << jet3.err;
    EXPECT_EQ(jet3.out, "a\tb\nz\ty\nv\tu\n");

    const std::string types = (fixtures / "jet4/access2000-column-types.mdb").string();
    const ToolRun several = runDsbtool({"dump", types}, dir.path());
    EXPECT_EQ(several.status, 1);
    EXPECT_NE(several.err.find("name one of its tables: Table1, Table2"), std::string::npos) << several.err;
    const ToolRun named = runDsbtool({"dump", types, "table3"}, dir.path());
    EXPECT_EQ(named.status, 0) << named.err;
    const ToolRun tables = runDsbtool({"tables", types}, dir.path());
    EXPECT_EQ(tables.out, "Table1\t2\nTable2\t0\nTable3\t0\nTable4\t0\n");
}

} // namespace
