// How long the main window takes to show a data file: close, set the path, load, set the widths,
// bind the columns and paint the grid (offscreen), for the shipped start file and for a
// 100,000-row file; and the process's peak memory with that file open. Prints figures only.

#include "jet4/database_writer.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int LargeRows = 100000;
constexpr int Runs = 7;

// A phrase-like value: a few words of the language's script, 20 to 60 characters long.
std::string phrase(const std::vector<std::string>& words, unsigned seed)
{
    std::string text;
    const std::size_t target = 20 + seed % 41;
    for (unsigned i = 0; text.size() < target; ++i) {
        if (!text.empty()) text += ' ';
        text += words[(seed * 7 + i * 13) % words.size()];
    }
    return text;
}

void writeLargeFile(const std::string& path)
{
    const std::vector<std::vector<std::string>> words{
        {"Спасибо", "за", "связь", "рапорт", "антенна", "погода", "до", "встречи"},
        {"Spasíba", "za", "svyaz'", "rapórt", "anténa", "pagóda", "da", "fstréchi"},
        {"Thanks", "for", "the", "QSO", "report", "antenna", "weather", "good", "DX"},
        {"Danke", "für", "die", "Verbindung", "Rapport", "Antenne", "Wetter", "vy", "73"},
        {"Merci", "pour", "le", "QSO", "rapport", "antenne", "météo", "très", "bien"},
        {"Grazie", "per", "il", "collegamento", "rapporto", "antenna", "tempo", "buoni"},
        {"Gracias", "por", "el", "comunicado", "reporte", "antena", "tiempo", "buen"},
        {"Obrigado", "pelo", "contato", "relatório", "antena", "tempo", "bons", "DX"},
        {"交信", "ありがとう", "ございます", "アンテナ", "天気", "(Kōshin", "arigatō)"},
    };
    jet4::DatabaseWriter writer({"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"});
    std::vector<std::string> row(words.size());
    for (unsigned r = 0; r < LargeRows; ++r) {
        for (std::size_t c = 0; c < words.size(); ++c)
            row[c] = phrase(words[c], r * 31 + unsigned(c));
        writer.addRow(row);
    }
    writer.writeFile(path);
}

long peakKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Picks topic `index` as the user does and paints the grid; the median time of several runs.
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
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath("dsb");
    if (!QFile::copy(QStringLiteral(SHIPPED_DSB_DIR "/start.dsb"), "dsb/start.dsb")) {
        std::fprintf(stderr, "grid_bench: build the phrase files first (%s)\n", SHIPPED_DSB_DIR);
        return 1;
    }
    // The writer keeps every row until it writes; let a child carry that memory, not the
    // process whose peak is measured.
    if (const pid_t child = fork(); child == 0) {
        writeLargeFile("dsb/weath.dsb");
        _exit(0);
    } else if (int status = 0; child < 0 || waitpid(child, &status, 0) != child || status != 0) {
        std::fprintf(stderr, "grid_bench: could not write the 100,000-row file\n");
        return 1;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    FontSubstitutes::install();

    TForm1 form;
    form.show();
    const double start = loadMilliseconds(form, 1);
    const int startRows = form.DBGrid1->model()->rowCount();
    const double large = loadMilliseconds(form, 7);
    const int largeRows = form.DBGrid1->model()->rowCount();
    form.DBGrid1->scrollToBottom();
    form.DBGrid1->viewport()->repaint();
    const double peakMiB = double(peakKiB()) / 1024.0;

    std::printf("grid load, median of %d (close, path, load, widths, bind, paint):\n", Runs);
    std::printf("  shipped start file (%d rows)   %8.2f ms   target < 5 ms     %s\n", startRows, start,
                start < 5 ? "met" : "MISSED");
    std::printf("  100,000-row file (%d rows) %8.2f ms   target < 150 ms   %s\n", largeRows, large,
                large < 150 ? "met" : "MISSED");
    std::printf("  peak memory with it open      %8.1f MiB  target < 150 MiB  %s\n", peakMiB,
                peakMiB < 150 ? "met" : "MISSED");
    return 0;
}
