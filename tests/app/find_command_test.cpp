// `tarvolyn --find`: the built program, run in a scratch working directory that holds dsb/.

#include "jet4/reader.h"
#include "jet4/writer.h"
#include "phrase_data/blank_filler.h"
#include "program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using Run = ProgramFolder::Run;

class FindCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void exitCodes_data();
    void exitCodes();
    void linesAreFileRowFieldAndText();
    void rowsAreCountedAsTheTableOrdersThem();
    void unreadableFilesGoToStderrAndTheRestIsSearched();
    void myPhrasesAreSearchedToo();
    void linesShowBlanksFilledFromTheProfile_data();
    void linesShowBlanksFilledFromTheProfile();
    void startedAwayFromItsData_data();
    void startedAwayFromItsData();
    void helpListsFieldsAndExitCodes();

private:
    [[nodiscard]] Run run(const QStringList& arguments) const { return m_dir->run(arguments); }
    void write(const QString& name, const std::vector<std::string>& fields,
               const std::vector<std::vector<std::string>>& rows) const;

    QTemporaryDir m_config;
    std::unique_ptr<ProgramFolder> m_dir;
};

// The settings of the user running the tests stay out of them: each test starts without a profile.
void FindCommandTest::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void FindCommandTest::init()
{
    QFile::remove(m_config.filePath(QStringLiteral("Tarvolyn/tarvolyn.conf")));
    m_dir = std::make_unique<ProgramFolder>();
    QVERIFY(m_dir->isValid());
}

void FindCommandTest::write(const QString& name, const std::vector<std::string>& fields,
                            const std::vector<std::vector<std::string>>& rows) const
{
    jet4::DatabaseWriter writer(fields);
    for (const auto& row : rows)
        writer.addRow(row);
    writer.writeFile(m_dir->filePath(QStringLiteral("dsb/%1.dsb").arg(name)).toStdString());
}

void FindCommandTest::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("found") << QStringList{"--find", "weather"} << 0;
    QTest::newRow("found, words in one argument") << QStringList{"--find", "fine weather"} << 0;
    QTest::newRow("nothing found") << QStringList{"--find", "zzzzqx"} << 1;
    QTest::newRow("one word found, the other not") << QStringList{"--find", "weather", "zzzzqx"} << 1;
    QTest::newRow("no words") << QStringList{"--find"} << 2;
    QTest::newRow("an empty word") << QStringList{"--find", ""} << 2;
    QTest::newRow("only spaces and punctuation") << QStringList{"--find", " ?! ", "..."} << 2;
    QTest::newRow("words without --find") << QStringList{"weather"} << 2;
    QTest::newRow("unknown option") << QStringList{"--finder", "weather"} << 2;
    QTest::newRow("100 KB in one word") << QStringList{"--find", QString(100000, u'w')} << 2;
}

void FindCommandTest::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QVERIFY(m_dir->copyShippedFiles());
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out.isEmpty(), exitCode != 0);
    QCOMPARE(result.err.isEmpty(), exitCode != 2);
}

void FindCommandTest::linesAreFileRowFieldAndText()
{
    write(QStringLiteral("weath"), {"Rus", "Eng", "Ger"},
          {{"Погода", "Weather", "Wetter"},
           {"Хорошая погода", "Fine weather\tnow", "Schönes Wetter"},
           {"-", "Weatherproof", "-"}});
    write(QStringLiteral("clock"), {"Eng", "Rus"}, {{"Weather at noon", "Погода в полдень"}});
    const Run result = run({QStringLiteral("--find"), QStringLiteral("WEATHER")});
    QCOMPARE(result.exitCode, 0);
    // Best first: exact matches, shorter cells first, then the prefix match. A tab in a cell
    // becomes a space.
    QCOMPARE(result.out, QStringLiteral("weath.dsb\t1\tEng\tWeather\n"
                                        "clock.dsb\t1\tEng\tWeather at noon\n"
                                        "weath.dsb\t2\tEng\tFine weather now\n"
                                        "weath.dsb\t3\tEng\tWeatherproof\n"));
    QCOMPARE(run({QStringLiteral("--find"), QStringLiteral("schones")}).out,
             QStringLiteral("weath.dsb\t2\tGer\tSchönes Wetter\n"));
}

void FindCommandTest::rowsAreCountedAsTheTableOrdersThem()
{
    QVERIFY(m_dir->copyShippedFiles());
    const Run result = run({QStringLiteral("--find"), QStringLiteral("your")});
    QCOMPARE(result.exitCode, 0);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 10);
    for (const QString& line : lines) {
        const QStringList parts = line.split(u'\t');
        QCOMPARE(parts.size(), 4);
        const jet4::Table table =
            jet4::Database::open(m_dir->filePath(QStringLiteral("dsb/") + parts[0]).toStdString()).readTable("Dict");
        std::size_t field = 0;
        while (field < table.columnCount() && QString::fromStdString(table.columns()[field].name) != parts[2])
            ++field;
        QVERIFY2(field < table.columnCount(), qPrintable(line));
        const auto cell = table.cell(std::size_t(parts[1].toInt() - 1), field);
        QVERIFY2(cell.has_value(), qPrintable(line));
        // Printed as shown with no profile: every blank as "...".
        QCOMPARE(parts[3], phrase_data::BlankFiller::unfilled(QString::fromStdU16String(std::u16string(*cell))));
        // Romaji reads "your" as "yor" (a long o), which starts "yoru".
        if (parts[2] != u"Jap")
            QVERIFY2(parts[3].contains(QStringLiteral("your"), Qt::CaseInsensitive), qPrintable(line));
    }
}

void FindCommandTest::unreadableFilesGoToStderrAndTheRestIsSearched()
{
    QVERIFY(m_dir->copyShippedFiles());
    QFile damaged(m_dir->filePath(QStringLiteral("dsb/weath.dsb")));
    QVERIFY(damaged.resize(5000));
    QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("dsb/ant.dsb"))));
    const Run result = run({QStringLiteral("--find"), QStringLiteral("your")});
    QCOMPARE(result.exitCode, 0);
    const QStringList errors = result.err.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors[0].contains(QStringLiteral("ant.dsb")), qPrintable(errors[0]));
    QVERIFY2(errors[1].contains(QStringLiteral("weath.dsb")), qPrintable(errors[1]));
    QVERIFY(!result.out.contains(QStringLiteral("weath.dsb")));
    QVERIFY(result.out.contains(QStringLiteral("start.dsb\t")));
}

void FindCommandTest::myPhrasesAreSearchedToo()
{
    QVERIFY(m_dir->copyShippedFiles());
    QVERIFY(QDir().mkpath(QFileInfo(m_dir->myPhrasesPath()).path()));
    jet4::DatabaseWriter writer({"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"});
    writer.addRow({"Моя антенна", "", "My quokkaloop antenna", "", "", "", "", "", ""});
    writer.writeFile(m_dir->myPhrasesPath().toStdString());
    const Run result = run({QStringLiteral("--find"), QStringLiteral("quokkaloop")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, m_dir->myPhrasesPath() + QStringLiteral("\t1\tEng\tMy quokkaloop antenna\n"));
}

void FindCommandTest::linesShowBlanksFilledFromTheProfile_data()
{
    QTest::addColumn<bool>("withProfile");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("out");
    QTest::newRow("no profile: ...") << false << "called"
                                     << "name.dsb\t1\tEng\tI am called ... from ...\n";
    QTest::newRow("Latin form") << true << "called"
                                << "name.dsb\t1\tEng\tI am called Ivan from ...\n";
    QTest::newRow("Cyrillic form for Rus") << true << "зовут"
                                           << "name.dsb\t1\tRus\tМеня зовут Иван из ...\n";
    QTest::newRow("katakana in the Japanese, Latin in the romaji")
        << true << "namae"
        << "name.dsb\t1\tJap\t名前はイワンです (namae wa Ivan desu)\n";
}

// What is printed is filled; what is searched is the stored text.
void FindCommandTest::linesShowBlanksFilledFromTheProfile()
{
    QFETCH(bool, withProfile);
    QFETCH(QString, words);
    QFETCH(QString, out);
    write(QStringLiteral("name"), {"Rus", "Eng", "Jap"},
          {{"Меня зовут {my_name} из {their_qth}", "I am called {my_name} from {their_qth}",
            "名前は{my_name}です (namae wa {my_name} desu)"}});
    if (withProfile) ProgramFolder::saveProfileNamedIvan(m_config.path());
    const Run result = run({QStringLiteral("--find"), words});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, out);
}

void FindCommandTest::startedAwayFromItsData_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("find") << QStringList{"--find", "weather"};
    QTest::newRow("say RusP") << QStringList{"--say", "RusP", "Spasíba.", "--wav", "out.wav"};
    QTest::newRow("spell") << QStringList{"--spell", "Eng", "QZ7KV"};
}

// Not "nothing found": a usage error, said once, naming the folder looked in.
void FindCommandTest::startedAwayFromItsData()
{
    QFETCH(QStringList, arguments);
    QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("dsb")));
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.out.isEmpty());
    QCOMPARE(result.err.count(u'\n'), 1);
    QVERIFY2(result.err.contains(QDir(m_dir->path()).filePath(QStringLiteral("dsb"))), qPrintable(result.err));
}

void FindCommandTest::helpListsFieldsAndExitCodes()
{
    const Run result = run({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains(QStringLiteral("Rus, RusP, Eng, Ger, Fren, Ital, Span, Port, Jap")),
             qPrintable(result.out));
    for (const char* code : {"\n  0  ", "\n  1  ", "\n  2  "})
        QVERIFY2(result.out.contains(QString::fromLatin1(code)), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(FindCommandTest)
#include "find_command_test.moc"
