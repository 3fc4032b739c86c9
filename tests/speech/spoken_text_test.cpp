#include "phrase_data/blank_filler.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/phrase_table.h"
#include "speech/pronunciation_table.h"
#include "speech/russian_normaliser.h"
#include "speech/russian_stress.h"
#include "speech/speech_synthesizer.h"
#include "speech/text_normaliser.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using phrase_data::LanguageField;
using speech::SpeechSynthesizer;

Q_DECLARE_METATYPE(LanguageField)

namespace {

struct Row {
    QString file;
    int row = 0;
    std::array<QString, phrase_data::LanguageFieldCount> cells;
    [[nodiscard]] const QString& operator[](LanguageField field) const { return cells[std::size_t(field)]; }
};

// Every row of every topic file shipped in dsb/, as the voice gets it with no value set: every
// named blank as "...".
QList<Row> shippedRows()
{
    QDir::setCurrent(QStringLiteral(SHIPPED_DSB_DIR "/.."));
    QList<Row> rows;
    for (const auto& topic : phrase_data::PhraseCatalogue::topics()) {
        const auto file = phrase_data::PhraseTable::read(QByteArray(topic.dataFile));
        for (int row = 0; row < file.rowCount(); ++row) {
            Row each{QString::fromLatin1(topic.dataFile), row, {}};
            for (std::size_t field = 0; field < phrase_data::LanguageFieldCount; ++field)
                each.cells[field] = phrase_data::BlankFiller::unfilled(file.text(row, LanguageField(field)));
            rows << each;
        }
    }
    return rows;
}

QString where(const Row& row, LanguageField field)
{
    return row.file + u':' + QString::number(row.row + 1) + u' ' + row[field];
}

// The words of a Russian line, hyphenated words in their parts.
QStringList russianWords(const QString& line)
{
    static const QRegularExpression word(QStringLiteral("[\\p{Cyrillic}\\x{0301}]+"));
    QStringList words;
    for (const QRegularExpressionMatch& match : word.globalMatch(line))
        words << match.captured();
    return words;
}

// The vowel a marked word stresses, counted from 0; -1 when it has no mark.
int markedVowel(const QString& word)
{
    const qsizetype acute = word.indexOf(QChar(speech::RussianStress::Acute));
    return acute < 0 ? -1 : speech::RussianStress::vowelCount(word.left(acute)) - 1;
}

void addRows(LanguageField field, const QList<std::pair<const char*, const char*>>& rows)
{
    for (const auto& [text, spoken] : rows)
        QTest::addRow("%s", text) << field << QString::fromUtf8(text) << QString() << QString::fromUtf8(spoken);
}

} // namespace

class SpokenTextTest : public QObject {
    Q_OBJECT

private slots:
    void spoken_data();
    void spoken();
    void filledBlanks_data();
    void filledBlanks();
    void russianRows_data();
    void russianRows();
    void everyRussianWordStressed();
    void noLatinInJapanese();
    void noUnknownWordInTheVoice();
    void rowsWithDigitsTakeEveryRusPStress();
};

void SpokenTextTest::spoken_data()
{
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rusP");
    QTest::addColumn<QString>("spoken");
    addRows(
        LanguageField::Eng,
        {
            {"Your RST is 579.", "Your ar ess tee is five seven nine."},
            {"Please QSL via CAT, WAS and SAE.", "Please cue ess el via cee ay tee, double-you ay ess and ess ay ee."},
            {"You are 59 001.", "You are five nine zero zero one."},
            {"Licensed since 1995.", "Licensed since nineteen ninety-five."},
            {"A station 1 kHz up, MUF 28 MHz.", "A station 1 kilohertz up, em you eff 28 megahertz."},
            {"This is DL1ABC/P.", "This is dee el one ay bee cee stroke pee."},
            {"IOTA by RTTY, LoTW or ClubLog.", "iota by ritty, el oh tee double-you or club log."},
            {"I run 100 watts on 15 metres.", "I run 100 watts on 15 metres."},
        });
    addRows(LanguageField::Ger,
            {
                {"Danke für das QSO.", "Danke für das kuh ess oh."},
                {"Viele QSOs heute.", "Viele kuh ess ohs heute."},
                {"Du bekommst 59 001.", "Du bekommst fünf neun null null eins."},
                {"Ich habe meine Lizenz seit 1995.", "Ich habe meine Lizenz seit neunzehnhundertfünfundneunzig."},
                {"5 kHz breit, über 28 MHz.", "5 Kilohertz breit, über 28 Megahertz."},
                {"Hier DL1ABC/P.", "Hier deh ell eins ah beh zeh Bruchstrich peh."},
            });
    addRows(LanguageField::Fren, {
                                     {"Passons en RTTY, QSY 5 kHz.", "Passons en ritti, cu esse i grec 5 kilohertz."},
                                     {"Mon QRA est YL.", "Mon cu erre a est i grec elle."},
                                     {"Tu es 59 001.", "Tu es cinq neuf zéro zéro un."},
                                 });
    addRows(LanguageField::Ital, {
                                     {"Rapporto 599, numero 001.", "Rapporto cinque nove nove, numero zero zero uno."},
                                     {"Sono in /P.", "Sono in barra pi."},
                                     {"Su 28 MHz.", "Su 28 megahertz."},
                                 });
    addRows(LanguageField::Span, {
                                     {"Hagamos QSY.", "Hagamos cu ese i griega."},
                                     {"Saludos a la YL, 73.", "Saludos a la i griega ele, 73."},
                                     {"Te paso 59 001.", "Te paso cinco nueve cero cero uno."},
                                     {"Estoy 1 kHz arriba.", "Estoy 1 kilohercios arriba."},
                                 });
    addRows(LanguageField::Port, {
                                     {"Obrigado pelo QSO.", "Obrigado pelo quê ésse ó."},
                                     {"Conta para o IOTA e a CEPT.", "Conta para o iota e a cê é pê tê."},
                                     {"Muitos QSOs.", "Muitos quê ésse ós."},
                                     {"Você está 59.", "Você está cinco nove."},
                                 });
    addRows(LanguageField::Jap, {
                                    {"コンディション (Kondishon)", "こんでぃしょん"},
                                    {"ClubLog (ClubLog de)", "クラブログ で"},
                                    {"QRZ.com (QRZ.com ni arimasu)", "キュー アール ゼット ドット コム に あります"},
                                    {"A — アルファ (arufa)", "エー アルファ"},
                                    {"1 — ワン (wan)", "いち ワン"},
                                    {"RST (RST wa 599 desu)", "アール エス ティー わ ご きゅう きゅう です"},
                                    {"K (K shisū)", "ケー しすう"},
                                    {"eQSL (eQSL)", "イー キュー エス エル"},
                                    {"/P (Surasshu P)", "すらっしゅ ピー"},
                                });
}

// What --spoken prints for a cell, language by language.
void SpokenTextTest::spoken()
{
    QFETCH(LanguageField, field);
    QFETCH(QString, text);
    QFETCH(QString, rusP);
    QFETCH(QString, spoken);
    QCOMPARE(SpeechSynthesizer::spokenText(field, text, rusP), spoken);
}

void SpokenTextTest::filledBlanks_data()
{
    QTest::addColumn<QStringList>("values"); // slot=value, in Latin letters
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rusP");
    QTest::addColumn<QString>("spoken");
    const QStringList contact{"their_call=JA1ABC", "my_call=DL1ABC", "rst_sent=59"};
    const auto add = [&](const char* name, const QStringList& values, LanguageField field, const char* text,
                         const char* rusP, const char* spoken) {
        QTest::newRow(name) << values << field << QString::fromUtf8(text) << QString::fromUtf8(rusP)
                            << QString::fromUtf8(spoken);
    };
    add("Eng", contact, LanguageField::Eng, "{their_call} de {my_call}, your report is {rst_sent}.", "",
        "jay ay one ay bee cee de dee el one ay bee cee, your report is five nine.");
    add("Ger", contact, LanguageField::Ger, "{their_call} de {my_call}, dein Rapport ist {rst_sent}.", "",
        "jott ah eins ah beh zeh de deh ell eins ah beh zeh, dein Rapport ist fünf neun.");
    add("Fren", contact, LanguageField::Fren, "{their_call} de {my_call}, ton report est {rst_sent}.", "",
        "ji a un a bé cé de dé elle un a bé cé, ton report est cinq neuf.");
    add("Ital", contact, LanguageField::Ital, "{their_call} de {my_call}, il tuo rapporto è {rst_sent}.", "",
        "i lunga a uno a bi ci de di elle uno a bi ci, il tuo rapporto è cinque nove.");
    add("Span", contact, LanguageField::Span, "{their_call} de {my_call}, tu reporte es {rst_sent}.", "",
        "jota a uno a be ce de de ele uno a be ce, tu reporte es cinco nueve.");
    add("Port", contact, LanguageField::Port, "{their_call} de {my_call}, seu relatório é {rst_sent}.", "",
        "jota á um á bê cê de dê éle um á bê cê, seu relatório é cinco nove.");
    add("Rus, stressed by RusP", contact, LanguageField::Rus, "{their_call} де {my_call}, ваш рапорт {rst_sent}.",
        "{their_call} de {my_call}, vash ráport {rst_sent}.",
        "йот а оди́н а бэ цэ де дэ эль оди́н а бэ цэ, ваш ра́порт пять де́вять.");
    add("Jap: katakana-less values in both parts", contact, LanguageField::Jap,
        "{their_call} de {my_call}、レポートは{rst_sent}です ({their_call} de {my_call}, repōto wa {rst_sent} desu)",
        "", "ジェー エー いち エー ビー シー で ディー エル いち エー ビー シー, れぽおと わ ご きゅう です");
    add("a three-figure report and a call with a stroke", {"my_call=DL1ABC/P", "rst_rcvd=579"}, LanguageField::Eng,
        "This is {my_call}, you gave me {rst_rcvd}.", "",
        "This is dee el one ay bee cee stroke pee, you gave me five seven nine.");
    add("Rus: a three-figure report", {"rst_rcvd=599"}, LanguageField::Rus, "Мой рапорт {rst_rcvd}.",
        "Moy ráport {rst_rcvd}.", "Мой ра́порт пять де́вять де́вять.");
    add("Rus without RusP: the report still figure by figure", {"rst_rcvd=599"}, LanguageField::Rus,
        "Мой рапорт {rst_rcvd}, 100 ватт.", "", "Мой ра́порт пять де́вять де́вять, 100 ватт.");
    add("unset blanks", {}, LanguageField::Eng, "{their_call} de {my_call}, your report is {rst_sent}.", "",
        "... de ..., your report is ....");
}

// What the voice receives for a row whose blanks are filled: a call sign letter by letter, a
// report digit by digit, in the words of the field's language.
void SpokenTextTest::filledBlanks()
{
    QFETCH(QStringList, values);
    QFETCH(LanguageField, field);
    QFETCH(QString, text);
    QFETCH(QString, rusP);
    QFETCH(QString, spoken);
    phrase_data::BlankFiller filler;
    for (const QString& value : values)
        QVERIFY(filler.set(value.section(u'=', 0, 0), {value.section(u'=', 1), {}, {}}));
    QCOMPARE(speech::TextNormaliser::spoken(field, filler.fill(text, field), filler.fill(rusP, LanguageField::RusP)),
             spoken);
}

void SpokenTextTest::russianRows_data()
{
    QTest::addColumn<QString>("rus");
    QTest::addColumn<QString>("rusP");
    QTest::addColumn<QString>("spoken");
    const auto row = [](const char* rus, const char* rusP, const char* spoken) {
        QTest::addRow("%s", rus) << QString::fromUtf8(rus) << QString::fromUtf8(rusP) << QString::fromUtf8(spoken);
    };
    row("Ваш RST 579.", "Vash RST pyat'-sem'-dévyat'.", "Ваш эр эс тэ пять семь де́вять.");
    row("Это GP с 4 противовесами.", "Éta GP s chetyr'myá prativavésami.", "Э́то гэ пэ с четырьмя́ противове́сами.");
    row("У меня усилитель мощности, около 500 ватт.", "U menyá usilítel' móshchnasti, ókala pyatisót vatt.",
        "У меня́ усили́тель мо́щности, о́коло пятисо́т ватт.");
    row("Вам 59 001.", "Vam pyat'-dévyat' nol'-nol'-adín.", "Вам пять де́вять ноль ноль оди́н.");
    row("У меня лицензия с 1995 года.", "U menyá litsénziya s týsyacha devyat'sót devyanósta pyátava góda.",
        "У меня́ лице́нзия с ты́сяча девятьсо́т девяно́сто пя́того го́да.");
    row("У меня 3-элементная яги на высоте 15 метров.", "U menyá tryókheleméntnaya yági na vysaté pyatnádtsati métrav.",
        "У меня́ трёхэлеме́нтная я́ги на высоте́ пятна́дцати ме́тров.");
    row("Это трёхдиапазонная антенна.", "Éta tryókhdiapazónnaya anténna.", "Э́то трёхдиапазо́нная анте́нна.");
    row("КСВ ниже 2 по всему диапазону.", "Ka-es-vé nízhe dvukh pa vsemú diapazónu.",
        "ка эс вэ ни́же двух по всему́ диапазо́ну.");
    row("Работаю по IOTA и RTTY, я QRP/P.", "Rabótayu pa IOTA i RTTY, ya QRP/P.",
        "Рабо́таю по айо́та и ри́тти, я ку эр пэ дробь пэ.");
    row("Я обязательно вышлю QSL, 100%.", "Ya abyazátel'na výshlyu QSL, sto pratséntav.",
        "Я обяза́тельно вы́шлю ку эс эль, сто проце́нтов.");
}

// A Russian row with digits: its numbers in the case RusP spells, and RusP's stress.
void SpokenTextTest::russianRows()
{
    QFETCH(QString, rus);
    QFETCH(QString, rusP);
    QFETCH(QString, spoken);
    const QString actual = SpeechSynthesizer::spokenText(LanguageField::Rus, rus, rusP);
    QVERIFY2(actual == spoken, qPrintable(actual));
}

void SpokenTextTest::everyRussianWordStressed()
{
    QStringList disagreements;
    for (const Row& row : shippedRows()) {
        const QString line =
            speech::RussianNormaliser::spoken(row[LanguageField::Rus], row[LanguageField::RusP], &disagreements);
        for (const QString& word : russianWords(line))
            QVERIFY2(speech::RussianStress::vowelCount(word) < 2 || markedVowel(word) >= 0,
                     qPrintable(word + u' ' + line + u' ' + where(row, LanguageField::Rus)));
    }
    // The words where RusP's stress (which is said) is not the voice's own.
    qInfo().noquote() << disagreements.size() << "words stressed by RusP where the voice would not:"
                      << disagreements.join(QStringLiteral("; "));
}

void SpokenTextTest::noLatinInJapanese()
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (const Row& row : shippedRows()) {
        const QString line = SpeechSynthesizer::spokenText(LanguageField::Jap, row[LanguageField::Jap]);
        QVERIFY2(!line.contains(latin), qPrintable(line + u' ' + where(row, LanguageField::Jap)));
    }
}

// espeak-ng's trace shows a word its voice cannot read as a switch to another voice ("(en)").
// In Russian and Japanese that never happens: every Latin letter has become a word of the
// language. The Latin-letter voices switch to English only for the English loanwords their
// dictionaries know (German "Tuner", "E-Mail"), which is how those words are said.
void SpokenTextTest::noUnknownWordInTheVoice()
{
    const QList<Row> rows = shippedRows();
    for (const auto& language : phrase_data::PhraseCatalogue::languages()) {
        if (language.field == LanguageField::RusP) continue;
        QStringList lines;
        for (const Row& row : rows)
            lines << SpeechSynthesizer::speakableText(language.field, row[language.field], row[LanguageField::RusP]);
        // One line of trace per phrase: each phrase is a paragraph of its own.
        QProcess espeak;
        espeak.start(QStringLiteral("espeak-ng"),
                     {"-v", QString::fromLatin1(SpeechSynthesizer::voice(language.field)), "-q", "-x", "--stdin"});
        QVERIFY(espeak.waitForStarted());
        espeak.write(lines.join(QStringLiteral(".\n\n")).toUtf8());
        espeak.closeWriteChannel();
        QVERIFY(espeak.waitForFinished(120000));
        const bool latinVoice = language.field != LanguageField::Rus && language.field != LanguageField::Jap;
        // The switch back to the voice's own language is no fallback.
        const QString own = QString::fromLatin1(SpeechSynthesizer::voice(language.field)).left(2);
        const QRegularExpression fallback(
            QStringLiteral("\\((?!%1\\)%2)[a-z]{2}(-[a-z]+)?\\)").arg(own, latinVoice ? "|en\\)" : ""));
        QStringList switched;
        for (const QString& line : QString::fromUtf8(espeak.readAllStandardOutput()).split(u'\n'))
            if (line.contains(fallback)) switched << line.trimmed();
        QVERIFY2(switched.isEmpty(), qPrintable(QString::fromLatin1(SpeechSynthesizer::voice(language.field)) + u'\n' +
                                                switched.join(u'\n')));
    }
}

// The rows that write numbers in digits in Rus but in words in RusP pair word for word all the
// same: every word RusP marks carries that stress.
void SpokenTextTest::rowsWithDigitsTakeEveryRusPStress()
{
    int rowsWithDigits = 0;
    for (const Row& row : shippedRows()) {
        const QString& rus = row[LanguageField::Rus];
        const QString& rusP = row[LanguageField::RusP];
        if (!rus.contains(QRegularExpression(QStringLiteral("\\d"))) || rusP.contains(QRegularExpression("\\d")))
            continue;
        ++rowsWithDigits;
        const QString line = SpeechSynthesizer::spokenText(LanguageField::Rus, rus, rusP);
        QVERIFY2(!line.contains(QRegularExpression(QStringLiteral("\\d"))), qPrintable(line));
        // Each word RusP marks, in order, is found marked alike among the line's words.
        QStringList marked;
        for (const QString& word : russianWords(line))
            if (markedVowel(word) >= 0) marked << word;
        for (const QString& word : speech::RussianStress::words(rusP, true)) {
            for (const QString& part : word.split(u'-')) {
                int vowels = 0;
                const int stressed = speech::RussianStress::stressedVowel(part, &vowels);
                if (stressed < 0 || vowels < 2) continue;
                const auto match =
                    std::ranges::find_if(marked, [&](const QString& each) { return markedVowel(each) == stressed; });
                QVERIFY2(match != marked.end(), qPrintable(part + u' ' + line + u' ' + where(row, LanguageField::Rus)));
                marked.erase(marked.begin(), match + 1);
            }
        }
    }
    // Fifty-six of them lost all their stress when words were paired by count alone.
    QVERIFY(rowsWithDigits >= 56);
}

QTEST_GUILESS_MAIN(SpokenTextTest)
#include "spoken_text_test.moc"
