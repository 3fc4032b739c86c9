// Speed and memory of the contact panel's engines: loading Debian's country file and looking
// calls up in it, and indexing a generated ADIF log of 100,000 contacts. Times are processor
// time. Prints figures; it is not a test and never fails on a missed target.

#include "bench_report.h"
#include "cpu_time.h"
#include "peak_memory.h"
#include "station/adif_log.h"
#include "station/country_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int Contacts = 100000;

std::string field(const char* name, const std::string& value)
{
    return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value;
}

// A log shaped like a logger's export: a header, then one line of a dozen fields per contact.
void writeLog(const std::filesystem::path& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "Exported log\n<ADIF_VER:5>3.1.4 <PROGRAMID:6>Logger <EOH>\n";
    constexpr std::array<const char*, 5> Bands{"160m", "80m", "40m", "20m", "10m"};
    constexpr std::array<const char*, 4> Modes{"SSB", "CW", "FT8", "RTTY"};
    for (int i = 0; i < Contacts; ++i) {
        // About one station in four is worked again.
        const int station = i % (Contacts * 3 / 4);
        out << field("CALL", "K" + std::to_string(station % 10) + "A" + std::to_string(station / 10))
            << field("QSO_DATE", "2024" + std::to_string(1001 + i % 300).substr(1) + "01")
            << field("TIME_ON", "1" + std::to_string(1000 + i % 500).substr(1)) << field("BAND", Bands[i % 5])
            << field("MODE", Modes[i % 4]) << field("FREQ", "14.195") << field("RST_SENT", "59")
            << field("RST_RCVD", "57") << field("NAME", "Operator" + std::to_string(i % 977))
            << field("QTH", "Springfield " + std::to_string(i % 50)) << field("GRIDSQUARE", "FN31pr") << "<EOR>\n";
    }
}

} // namespace

int main()
{
    BenchReport report;

    const std::filesystem::path cty = station::CountryFile::DebianPath;
    if (std::filesystem::exists(cty)) {
        const double loadMs = medianMilliseconds(15, [&] { (void)station::CountryFile::load(cty); });
        report.add("country file: load " + cty.string(), BenchReport::format("%.2f ms", loadMs), "< 20 ms",
                   loadMs < 20);
        const station::CountryFile file = station::CountryFile::load(cty);
        constexpr std::array<const char*, 10> Calls{"JA1ABC", "DL1ABC/P", "F/DL1ABC", "W1AW/6",    "UA9XYZ",
                                                    "VK9XA",  "KH6ABC",   "PY2ABC",   "EA8/G4ABC", "R25EMW"};
        constexpr int Rounds = 20000;
        std::size_t found = 0;
        const double ms = medianMilliseconds(5, [&] {
            for (int round = 0; round < Rounds; ++round)
                for (const char* call : Calls)
                    found += file.lookup(call).has_value() ? 1 : 0;
        });
        const double microseconds = ms * 1e3 / (Rounds * double(Calls.size()));
        report.add("country file: one lookup (mixed calls, with \"/\")", BenchReport::format("%.2f µs", microseconds),
                   "< 10 µs", microseconds < 10);
    } else {
        report.add("country file", "not installed (hamradio-files)");
    }

    char folder[] = "/tmp/station-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    const std::filesystem::path log = std::filesystem::path(folder) / "log.adi";
    writeLog(log);
    const double bytes = double(std::filesystem::file_size(log));
    const long before = peakResidentKiB();
    const double start = cpuMilliseconds();
    const station::AdifLog index = station::AdifLog::load(log);
    const double indexMs = cpuMilliseconds() - start;
    const double usedBytes = double(peakResidentKiB() - before) * 1024.0;
    report.add("ADIF: index 100,000 contacts (" + BenchReport::format("%.1f MB", bytes / 1e6) + ")",
               BenchReport::format("%.0f ms", indexMs), "< 300 ms", indexMs < 300);
    report.add("ADIF: memory while indexing, file read included",
               BenchReport::format("%.2f × the file", usedBytes / bytes), "< 3 ×", usedBytes < 3 * bytes);
    report.add("ADIF: stations indexed", std::to_string(index.stationCount()));
    std::filesystem::remove_all(folder);

    report.print();
    return 0;
}
