// Speed and memory of the phrase search: building the index and querying it over the shipped
// files and over 24 generated files of 100,000 nine-language rows, and `tarvolyn --find` on one
// such file against `mdb-export FILE Dict | grep -i WORD`. Times are processor time, so that
// other work on the machine does not count. Prints figures; it is not a test and never fails
// on a missed target.

#include "bench_report.h"
#include "cpu_time.h"
#include "jet4/writer.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/phrase_index.h"
#include "sample_phrases.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t LargeFiles = 24;
constexpr std::size_t LargeRows = 100000;

// Resident memory now, in bytes (VmRSS).
double residentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
    return 0;
}

double megabytes(double bytes)
{
    return bytes / 1e6;
}

// The files of each generated topic or list, written in children two at a time: the writer
// holds every row until it writes, and that memory must not count in this process.
bool writeLargeFiles(const QDir& folder, std::size_t& textBytes)
{
    const auto sources = phrase_data::PhraseIndex::catalogueSources();
    const SamplePhrases phrases;
    for (std::size_t file = 0; file < LargeFiles; ++file)
        for (std::size_t row = 0; row < LargeRows; ++row)
            for (const std::string& cell : phrases.row(file * LargeRows + row))
                textBytes += cell.size();
    for (std::size_t first = 0; first < LargeFiles; first += 2) {
        std::vector<pid_t> children;
        for (std::size_t file = first; file < std::min(first + 2, LargeFiles); ++file) {
            const pid_t child = fork();
            if (child == 0) {
                try {
                    jet4::DatabaseWriter writer(SamplePhrases::columns());
                    for (std::size_t row = 0; row < LargeRows; ++row)
                        writer.addRow(phrases.row(file * LargeRows + row));
                    const QString name = sources[file].path.section(u'\\', -1);
                    writer.writeFile(folder.filePath(QStringLiteral("dsb/") + name).toStdString());
                    _exit(0);
                } catch (const std::exception& error) {
                    std::fprintf(stderr, "search_bench: %s\n", error.what());
                    _exit(1);
                }
            }
            children.push_back(child);
        }
        for (const pid_t child : children) {
            int status = 0;
            if (child <= 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
                return false;
        }
    }
    return true;
}

void measureQueries(phrase_data::PhraseIndex& index, const std::vector<QString>& queries, const char* where,
                    double targetMs, BenchReport& report)
{
    for (const QString& query : queries) {
        std::size_t count = 0;
        const double ms = medianMilliseconds(9, [&] { count = index.search(query).count; });
        report.add(std::string(where) + ": query \"" + query.toStdString() + "\" (" + std::to_string(count) + " rows)",
                   BenchReport::format("%.2f ms", ms), BenchReport::format("< %.0f ms", targetMs), ms < targetMs);
    }
}

// The processor time a shell command takes with everything it waits for (user and system), in ms;
// the median of five runs.
double commandMilliseconds(const std::string& command)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || wait4(child, &status, 0, &usage) != child) return -1;
        times.push_back(double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                        double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    BenchReport report;
    const QString previous = QDir::currentPath();

    // The shipped files, from the folder that holds dsb/ as the program finds them.
    QDir::setCurrent(QStringLiteral(SHIPPED_DSB_DIR "/.."));
    const double buildMs = medianMilliseconds(9, [] {
        phrase_data::PhraseIndex index;
        index.build();
    });
    report.add("shipped files: build the index", BenchReport::format("%.2f ms", buildMs), "< 30 ms", buildMs < 30);
    {
        phrase_data::PhraseIndex index;
        index.build();
        measureQueries(index,
                       {QStringLiteral("antenna"), QStringLiteral("spasibo"), QStringLiteral("weather fine"),
                        QStringLiteral("frequencia"), QStringLiteral("天気"), QStringLiteral("a")},
                       "shipped files", 2, report);
    }

    // 24 generated files of 100,000 rows in place of the catalogue's.
    QTemporaryDir dir;
    QDir folder(dir.path());
    folder.mkpath(QStringLiteral("dsb"));
    std::size_t textBytes = 0;
    if (!dir.isValid() || !writeLargeFiles(folder, textBytes)) {
        std::fprintf(stderr, "search_bench: cannot write the large files\n");
        return 1;
    }
    QDir::setCurrent(dir.path());
    {
        const double before = residentBytes();
        phrase_data::PhraseIndex index;
        const double start = cpuMilliseconds();
        index.build();
        const double seconds = (cpuMilliseconds() - start) / 1e3;
        const double resident = residentBytes() - before;
        report.add("24 x 100,000 rows: build the index", BenchReport::format("%.2f s", seconds));
        report.add("24 x 100,000 rows: text (UTF-8)", BenchReport::format("%.0f MB", megabytes(double(textBytes))));
        const double ratio = double(index.memoryBytes()) / double(textBytes);
        report.add("24 x 100,000 rows: index memory, counted / text",
                   BenchReport::format("%.0f MB", megabytes(double(index.memoryBytes()))) +
                       BenchReport::format(" = %.2f x", ratio),
                   "< 2 x", ratio < 2);
        const double residentRatio = resident / double(textBytes);
        report.add("24 x 100,000 rows: index memory, resident growth / text",
                   BenchReport::format("%.0f MB", megabytes(resident)) +
                       BenchReport::format(" = %.2f x", residentRatio),
                   "< 2 x", residentRatio < 2);
        measureQueries(index,
                       {QStringLiteral("potenza"), QStringLiteral("antenna"), QStringLiteral("gracias saludos"),
                        QStringLiteral("potencja"), QStringLiteral("交信"), QStringLiteral("zzzz")},
                       "24 x 100,000 rows", 50, report);
    }

    // One 100,000-row file alone: the command line against a plain export and grep.
    QTemporaryDir single;
    QDir(single.path()).mkpath(QStringLiteral("dsb"));
    const std::string large = folder.filePath(QStringLiteral("dsb/weath.dsb")).toStdString();
    const std::string copy = QDir(single.path()).filePath(QStringLiteral("dsb/weath.dsb")).toStdString();
    std::system(("cp '" + large + "' '" + copy + "'").c_str());
    const std::string word = "potenza";
    const double ours = commandMilliseconds("cd '" + single.path().toStdString() +
                                            "' && '" TARVOLYN_EXECUTABLE "' --find " + word + " >/dev/null 2>&1");
    const double theirs = commandMilliseconds("mdb-export '" + copy + "' Dict | grep -i " + word + " >/dev/null");
    report.add("tarvolyn --find " + word + " on 100,000 rows", BenchReport::format("%.0f ms", ours));
    report.add("mdb-export FILE Dict | grep -i " + word, BenchReport::format("%.0f ms", theirs));
    report.add("--find / mdb-export and grep", BenchReport::format("%.2f", ours / theirs), "<= 0.5",
               ours / theirs <= 0.5);

    QDir::setCurrent(previous);
    report.print();
    return 0;
}
