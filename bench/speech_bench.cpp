// How quickly speech starts and how fast it is made: the time from asking to the first audio
// sample for a ten-word phrase (the first call also loads espeak-ng and the voice), the
// real-time factor of each voice (time to synthesize / length of the speech), and the memory
// espeak-ng holds once every voice has been loaded, and the time the normalisation stage
// (the words --spoken prints) takes for a ten-word phrase. Prints figures; never fails on a target.

#include "bench_report.h"
#include "peak_memory.h"
#include "speech/espeak_engine.h"
#include "speech/speech_synthesizer.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <vector>

using phrase_data::LanguageField;

namespace {

constexpr int Runs = 5;

struct Phrase {
    LanguageField field;
    const char* name;
    const char* text;
    const char* rusP;
};

// Ten words each, from the shipped phrase book where it has them.
const std::vector<Phrase> Phrases{
    {LanguageField::Rus, "Rus", "Большое спасибо за вызов, дорогой друг, рад вас слышать снова.",
     "Bal'shóye spasíba za výzav, daragóy drug, rat vas slýshat' snóva."},
    {LanguageField::RusP, "RusP", "Частота занята, пожалуйста, QSY, попробуйте выше на пять килогерц.",
     "Chastatá zanyatá, pazhálusta, QSY, papróbuyte výshe na pyat' kilagérts."},
    {LanguageField::Eng, "Eng", "Many thanks for your call, dear friend, nice to meet you.", ""},
    {LanguageField::Ger, "Ger", "Vielen Dank für deinen Anruf, lieber Funkfreund, schön dich zu hören.", ""},
    {LanguageField::Fren, "Fren", "Merci beaucoup pour ton appel, cher ami, ravi de te rencontrer.", ""},
    {LanguageField::Ital, "Ital", "Grazie mille per la tua chiamata, caro amico, piacere di sentirti.", ""},
    {LanguageField::Span, "Span", "Muchas gracias por tu llamada, querido amigo, encantado de escucharte hoy.", ""},
    {LanguageField::Port, "Port", "Muito obrigado pela sua chamada, querido amigo, prazer em ouvir você.", ""},
    {LanguageField::Jap, "Jap",
     "コールありがとうございます。 (Kōru dōmo arigatō gozaimasu, OM-san, mata yoroshiku onegai shimasu.)", ""},
};

// Ten words each with codes, reports, serial numbers, units and a stroke to normalise.
const std::vector<Phrase> OperatorPhrases{
    {LanguageField::Rus, "Rus", "Слышу вас на 59, QSL через LoTW, работаю с 4 противовесами.",
     "Slýshu vas na pyat'-dévyat', QSL cherez LoTW, rabótayu s chetyr'myá prativavésami."},
    {LanguageField::Eng, "Eng", "You are 59 001, QSL via LoTW, DL1ABC/P on 28 MHz.", ""},
    {LanguageField::Port, "Port", "Obrigado pelo QSO, você está 59 001 em 28 MHz.", ""},
    {LanguageField::Jap, "Jap", "QSLはLoTWで。 (QSL wa LoTW de, RST wa 599, DL1ABC/P desu.)", ""},
};

// Microseconds the normalisation stage takes for a phrase, median of many runs.
double normalisationUs(const Phrase& phrase)
{
    constexpr int Repeats = 200;
    std::vector<double> times;
    times.reserve(Repeats);
    for (int run = 0; run < Repeats; ++run) {
        QElapsedTimer timer;
        timer.start();
        (void)speech::SpeechSynthesizer::spokenText(phrase.field, QString::fromUtf8(phrase.text),
                                                    QString::fromUtf8(phrase.rusP));
        times.push_back(double(timer.nsecsElapsed()) / 1e3);
    }
    std::ranges::sort(times);
    return times[times.size() / 2];
}

// Milliseconds from the call to the first samples.
double firstSampleMs(const Phrase& phrase)
{
    QElapsedTimer timer;
    double first = -1;
    timer.start();
    (void)speech::SpeechSynthesizer::say(phrase.field, QString::fromUtf8(phrase.text), QString::fromUtf8(phrase.rusP),
                                         [&](std::span<const std::int16_t>) {
                                             if (first < 0) first = double(timer.nsecsElapsed()) / 1e6;
                                         });
    return first;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int main()
{
    BenchReport report;
    const long before = residentKiB();

    const Phrase& russian = Phrases.front();
    report.add("first sample, first call (loads espeak-ng and the Russian voice), Rus",
               BenchReport::format("%.1f ms", firstSampleMs(russian)));
    for (const Phrase& phrase : {Phrases[0], Phrases[2]}) {
        std::vector<double> times;
        times.reserve(Runs);
        for (int run = 0; run < Runs; ++run)
            times.push_back(firstSampleMs(phrase));
        const double ms = median(times);
        report.add(std::string("first sample, ten words, ") + phrase.name, BenchReport::format("%.1f ms", ms),
                   "< 150 ms", ms < 150);
    }
    // After a switch of voice: the voice loads again on the way to the first sample.
    {
        std::vector<double> times;
        for (int run = 0; run < Runs; ++run) {
            (void)speech::SpeechSynthesizer::say(LanguageField::Eng, QStringLiteral("Hello"));
            times.push_back(firstSampleMs(russian));
        }
        const double ms = median(times);
        report.add("first sample, ten words, Rus after another voice", BenchReport::format("%.1f ms", ms), "< 150 ms",
                   ms < 150);
    }

    for (const Phrase& phrase : Phrases) {
        std::vector<double> factors;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            const speech::Pcm pcm = speech::SpeechSynthesizer::say(phrase.field, QString::fromUtf8(phrase.text),
                                                                   QString::fromUtf8(phrase.rusP));
            factors.push_back(double(timer.nsecsElapsed()) / 1e9 / pcm.seconds());
        }
        const double factor = median(factors);
        report.add(std::string("real-time factor, ") + phrase.name + " (" +
                       speech::SpeechSynthesizer::voice(phrase.field) + ")",
                   BenchReport::format("%.3f", factor), "< 1", factor < 1);
    }
    for (const auto* phrases : {&Phrases, &OperatorPhrases}) {
        for (const Phrase& phrase : *phrases) {
            const double us = normalisationUs(phrase);
            report.add(std::string("normalisation, ten words") + (phrases == &Phrases ? ", " : " with codes, ") +
                           phrase.name,
                       BenchReport::format("%.0f us", us), "< 1 ms", us < 1000);
        }
    }
    report.add("memory held by espeak-ng after loading all nine voices",
               BenchReport::format("%.1f MiB", double(residentKiB() - before) / 1024));
    report.print();
    return 0;
}
