// How long the main window takes to show a data file as the user picks its topic: close, set the
// path, load, set the widths, bind the columns and paint the grid (offscreen), for the shipped
// start file and for a 100,000-row file, and for that file again with a blank in every cell and
// the contact's values set; and the program's peak memory with the plain file open.
// Prints figures; it is not a test and never fails on a missed target.

#include "bench_report.h"
#include "jet4/writer.h"
#include "main_window/Unit1.h"
#include "main_window/contact_blanks.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "peak_memory.h"
#include "sample_phrases.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t LargeRows = 100000;
constexpr int Runs = 7;
constexpr int StartTopic = 1;   // "Start": dsb/start.dsb, as shipped
constexpr int NameTopic = 4;    // "Name, QTH": dsb/name.dsb, here the 100,000 rows with blanks
constexpr int WeatherTopic = 7; // "Weather": dsb/weath.dsb, here the 100,000-row file

// Writes the large file in a child process: the writer holds every row until it writes, and
// that memory must not count in the peak of the process that shows the file. With blanks, every
// cell ends in the operator's name and the other station's call.
bool writeLargeFile(const char* path, bool blanks)
{
    const pid_t child = fork();
    if (child == 0) {
        try {
            jet4::DatabaseWriter writer(SamplePhrases::columns());
            const SamplePhrases phrases;
            for (std::size_t i = 0; i < LargeRows; ++i) {
                std::vector<std::string> row = phrases.row(i);
                if (blanks)
                    for (std::string& cell : row)
                        cell += " {my_name} {their_call}";
                writer.addRow(row);
            }
            writer.writeFile(path);
            _exit(0);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "grid_bench: %s\n", error.what());
            _exit(1);
        }
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Picks topic `index` as the user does and paints the grid; the median of several runs, in ms.
double loadMilliseconds(TForm1& form, int index)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        form.RadioGroup1->setItemIndex(-1);
        QElapsedTimer timer;
        timer.start();
        form.RadioGroup1->setItemIndex(index);
        form.RadioGroup1Click();
        form.DBGrid1->viewport()->repaint();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !QDir().mkpath("dsb")) {
        std::fprintf(stderr, "grid_bench: cannot make a temporary folder\n");
        return 1;
    }
    if (!QFile::copy(QStringLiteral(SHIPPED_DSB_DIR "/start.dsb"), "dsb/start.dsb")) {
        std::fprintf(stderr, "grid_bench: build the phrase files first (%s)\n", SHIPPED_DSB_DIR);
        return 1;
    }
    if (!writeLargeFile("dsb/weath.dsb", false) || !writeLargeFile("dsb/name.dsb", true)) {
        std::fprintf(stderr, "grid_bench: could not write the 100,000-row file\n");
        return 1;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    FontSubstitutes::install();
    TForm1 form;
    form.show();

    BenchReport report;
    const double start = loadMilliseconds(form, StartTopic);
    report.add("shipped start file (" + std::to_string(form.DBGrid1->model()->rowCount()) + " rows)",
               BenchReport::format("%.2f ms", start), "< 5 ms", start < 5);
    const double large = loadMilliseconds(form, WeatherTopic);
    report.add("100,000-row file (" + std::to_string(form.DBGrid1->model()->rowCount()) + " rows)",
               BenchReport::format("%.2f ms", large), "< 150 ms", large < 150);
    form.DBGrid1->scrollToBottom();
    form.DBGrid1->viewport()->repaint();
    const double peak = static_cast<double>(peakResidentKiB()) / 1024.0;
    report.add("program's peak memory with it open", BenchReport::format("%.1f MiB", peak), "< 150 MiB", peak < 150);
    form.contactBlanks().setContact(u"their_call", QStringLiteral("JA1ABC"));
    form.contactBlanks().setContact(u"my_name", QStringLiteral("Hans"));
    const double filled = loadMilliseconds(form, NameTopic);
    report.add("the same, every cell with blanks filled", BenchReport::format("%.2f ms", filled), "< 150 ms",
               filled < 150);

    std::printf("Grid load (median of %d: close, path, load, widths, bind, paint)\n", Runs);
    report.print();
    return 0;
}
