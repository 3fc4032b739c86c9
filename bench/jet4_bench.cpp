// Speed and memory of the Jet 4 writer and reader, and of `dsbtool dump`, on a phrase table of
// 100,000 rows, against mdbtools' mdb-export. Prints figures; it is not a test and never fails on a missed target.
//
// Each measurement is a function over the prepared sample (BenchSample) that adds its figures to
// the report; add a new one to `measurements` in main().

#include "bench_report.h"
#include "jet4/reader.h"
#include "jet4/writer.h"
#include "peak_memory.h"
#include "sample_phrases.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t RowCount = 100000;

struct BenchSample {
    std::filesystem::path folder;
    std::filesystem::path file;
    std::vector<std::vector<std::string>> rows;
    std::size_t textBytes = 0;   // the table's text as UTF-16, what a loaded table must hold at least
    double loadSeconds = 0;      // filled by the load measurement for the ones after it
    double mdbExportSeconds = 0; // filled by the mdb-export measurement for the ones after it
};

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

template <typename F> double bestOf(int runs, F&& f)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        best = std::min(best, seconds(Clock::now() - start));
    }
    return best;
}

// Runs a program with its output thrown away; returns its resource usage, or throws.
rusage runChild(const std::vector<std::string>& args)
{
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null < 0 || dup2(null, 1) < 0) _exit(127);
        std::vector<char*> argv;
        argv.reserve(args.size() + 1);
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " " + args[1] + " failed");
    return usage;
}

void loadTable(const std::filesystem::path& file)
{
    const jet4::Table table = jet4::Database::open(file).readTable("Dict");
    if (table.rowCount() != RowCount)
        throw std::runtime_error("the loaded table has " + std::to_string(table.rowCount()) + " rows");
}

void measureWriter(BenchSample& sample, BenchReport& report)
{
    const double best = bestOf(3, [&] {
        jet4::DatabaseWriter writer(SamplePhrases::columns());
        for (const auto& row : sample.rows)
            writer.addRow(row);
        writer.writeFile(sample.file);
    });
    report.add("writer: encode, lay out and write the file", BenchReport::format("%.3f s", best), "< 0.5 s",
               best < 0.5);
    report.add("file size",
               BenchReport::format("%.1f MB", static_cast<double>(std::filesystem::file_size(sample.file)) / 1e6));
}

void measureLoad(BenchSample& sample, BenchReport& report)
{
    sample.loadSeconds = bestOf(5, [&] { loadTable(sample.file); });
    report.add("reader: open and load the whole table", BenchReport::format("%.3f s", sample.loadSeconds));
}

void measureMdbExport(BenchSample& sample, BenchReport& report)
{
    sample.mdbExportSeconds = bestOf(3, [&] { runChild({"mdb-export", sample.file.string(), "Dict"}); });
    report.add("mdb-export: print the table to /dev/null", BenchReport::format("%.3f s", sample.mdbExportSeconds));
    const double ratio = sample.loadSeconds / sample.mdbExportSeconds;
    report.add("our load / mdb-export", BenchReport::format("%.3f", ratio), "<= 0.25", ratio <= 0.25);
}

// Runs this program with args in a fresh process and returns the peak it reports.
long selfPeakKiB(const std::vector<std::string>& args)
{
    std::string command = "'" + std::filesystem::read_symlink("/proc/self/exe").string() + "'";
    for (const auto& arg : args)
        command += " '" + arg + "'";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    long peak = -1;
    if (!pipe || std::fscanf(pipe.get(), "%ld", &peak) != 1 || peak < 0)
        throw std::runtime_error("the measuring process gave no figure");
    return peak;
}

long loadPeakKiB(const std::filesystem::path& file)
{
    return selfPeakKiB({"--load", file.string()});
}

// A child forked from this process would count the sample it inherits as its own; one forked
// from a fresh process of this program counts only what it uses itself.
double dumpPeakBytes(const std::filesystem::path& file)
{
    return static_cast<double>(selfPeakKiB({"--peak-of", DSBTOOL_PATH, "dump", file.string()})) * 1024.0;
}

// dsbtool dump streams the table a page at a time: its peak memory should not grow with the
// table, which a file of a tenth of the rows shows side by side.
void measureDump(BenchSample& sample, BenchReport& report)
{
    const double best = bestOf(3, [&] { runChild({DSBTOOL_PATH, "dump", sample.file.string()}); });
    report.add("dsbtool dump: print the table to /dev/null", BenchReport::format("%.3f s", best));
    const double ratio = best / sample.mdbExportSeconds;
    report.add("dsbtool dump / mdb-export", BenchReport::format("%.3f", ratio), "<= 0.25", ratio <= 0.25);

    const std::filesystem::path small = sample.folder / "tenth.dsb";
    jet4::DatabaseWriter writer(SamplePhrases::columns());
    for (std::size_t i = 0; i < RowCount / 10; ++i)
        writer.addRow(sample.rows[i]);
    writer.writeFile(small);
    const double smallPeak = dumpPeakBytes(small);
    const double peak = dumpPeakBytes(sample.file);
    report.add("dsbtool dump peak memory, 10,000 rows", BenchReport::format("%.1f MB", smallPeak / 1e6));
    report.add("dsbtool dump peak memory, 100,000 rows", BenchReport::format("%.1f MB", peak / 1e6),
               "< 1 MB above 10,000 rows", peak - smallPeak < 1e6);
}

// The load runs in a fresh process so that its peak is the load's own; a fresh process that
// loads nothing gives the baseline to subtract.
void measureLoadMemory(BenchSample& sample, BenchReport& report)
{
    const long baseline = loadPeakKiB("");
    const long loaded = loadPeakKiB(sample.file);
    const double peak = static_cast<double>(loaded - baseline) * 1024.0;
    const double ratio = peak / static_cast<double>(sample.textBytes);
    report.add("load peak memory (above an idle process)", BenchReport::format("%.1f MB", peak / 1e6));
    report.add("load peak / table text", BenchReport::format("%.2f x", ratio), "< 3 x", ratio < 3.0);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::string(argv[1]) == "--load") {
            if (*argv[2]) loadTable(argv[2]);
            std::printf("%ld\n", peakResidentKiB());
            return 0;
        }
        if (argc > 2 && std::string(argv[1]) == "--peak-of") {
            std::printf("%ld\n", runChild(std::vector<std::string>(argv + 2, argv + argc)).ru_maxrss);
            return 0;
        }

        BenchSample sample;
        std::string pattern = (std::filesystem::temp_directory_path() / "jet4-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        sample.folder = pattern;
        sample.file = sample.folder / "bench.dsb";

        const SamplePhrases phrases;
        for (std::size_t i = 0; i < RowCount; ++i) {
            sample.rows.push_back(phrases.row(i));
            for (const auto& cell : sample.rows.back())
                for (const char c : cell) // UTF-16 units: one per code point below U+10000
                    sample.textBytes += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 2 : 0;
        }

        const std::vector<std::function<void(BenchSample&, BenchReport&)>> measurements{
            measureWriter, measureLoad, measureMdbExport, measureDump, measureLoadMemory};
        BenchReport report;
        report.add("table", std::to_string(RowCount) + " rows x " + std::to_string(SamplePhrases::columns().size()) +
                                " columns");
        report.add("table text (UTF-16)", BenchReport::format("%.1f MB", static_cast<double>(sample.textBytes) / 1e6));
        for (const auto& measure : measurements)
            measure(sample, report);

        std::printf("Jet 4 benchmark (best of several runs each)\n");
        report.print();
        std::filesystem::remove_all(sample.folder);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "jet4_bench: %s\n", error.what());
        return 1;
    }
}
