// tarvolyn --phrase: the built program, run in a scratch working directory that holds dsb/, with
// its own station profile.

#include "jet4/writer.h"
#include "program_folder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using Run = ProgramFolder::Run;

namespace {

const std::vector<std::string> NineFields{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};

} // namespace

class PhraseCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void printsTheRowFilled_data();
    void printsTheRowFilled();
    void exitCodes_data();
    void exitCodes();
    void startedAwayFromItsData();
    void everyShippedRowComesFilled();
    void helpNamesIt();

private:
    void write(const QString& name, const std::vector<std::string>& fields,
               const std::vector<std::vector<std::string>>& rows) const;

    QTemporaryDir m_config;
    std::unique_ptr<ProgramFolder> m_dir;
};

void PhraseCommandTest::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

// Each test starts with an empty profile and these files: a topic whose row 2 has blanks, and a
// list of two fields.
void PhraseCommandTest::init()
{
    QFile::remove(m_config.filePath(QStringLiteral("Tarvolyn/tarvolyn.conf")));
    m_dir = std::make_unique<ProgramFolder>();
    QVERIFY(m_dir->isValid());
    write(QStringLiteral("name"), NineFields,
          {{"Привет", "Privét", "Hello", "Hallo", "Salut", "Ciao", "Hola", "Olá", "こんにちは (konnichiwa)"},
           {"{their_name}, меня зовут {my_name}", "{their_name}, menyá zovút {my_name}",
            "{their_name}, my name is {my_name}", "{their_name}, mein Name ist {my_name}",
            "{their_name}, je m'appelle {my_name}", "{their_name}, mi chiamo {my_name}",
            "{their_name}, me llamo {my_name}", "{their_name}, o meu nome é {my_name}",
            "{their_name}さん、私の名前は{my_name}です ({their_name}-san, watashi no namae wa {my_name} desu)"},
           {"Мой {rst_sent}\t{qth}", "", "Your {rst_sent}\treport {unknown}", "", "", "", "", "", ""}});
    write(QStringLiteral("clock"), {"Eng", "Rus"}, {{"{my_name} at noon", "{my_name} в полдень"}});
}

void PhraseCommandTest::write(const QString& name, const std::vector<std::string>& fields,
                              const std::vector<std::vector<std::string>>& rows) const
{
    jet4::DatabaseWriter writer(fields);
    for (const auto& row : rows)
        writer.addRow(row);
    writer.writeFile(m_dir->filePath(QStringLiteral("dsb/%1.dsb").arg(name)).toStdString());
}

void PhraseCommandTest::printsTheRowFilled_data()
{
    QTest::addColumn<bool>("withProfile");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::newRow("nothing set: every blank is ...")
        << false << QStringList{"--phrase", "name.dsb", "2"}
        << "Rus\t..., меня зовут ...\nRusP\t..., menyá zovút ...\nEng\t..., my name is ...\n"
           "Ger\t..., mein Name ist ...\nFren\t..., je m'appelle ...\nItal\t..., mi chiamo ...\n"
           "Span\t..., me llamo ...\nPort\t..., o meu nome é ...\n"
           "Jap\t...さん、私の名前は...です (...-san, watashi no namae wa ... desu)\n";
    QTest::newRow("the profile: Cyrillic for Rus, katakana for Japanese, Latin in the romaji")
        << true << QStringList{"--phrase", "name.dsb", "2"}
        << "Rus\t..., меня зовут Иван\nRusP\t..., menyá zovút Ivan\nEng\t..., my name is Ivan\n"
           "Ger\t..., mein Name ist Ivan\nFren\t..., je m'appelle Ivan\nItal\t..., mi chiamo Ivan\n"
           "Span\t..., me llamo Ivan\nPort\t..., o meu nome é Ivan\n"
           "Jap\t...さん、私の名前はイワンです (...-san, watashi no namae wa Ivan desu)\n";
    QTest::newRow("--set gives the Latin form everywhere, and overrides the profile")
        << true << QStringList{"--phrase", "name.dsb", "2", "--set", "their_name=Hans", "--set", "my_name=Ken"}
        << "Rus\tHans, меня зовут Ken\nRusP\tHans, menyá zovút Ken\nEng\tHans, my name is Ken\n"
           "Ger\tHans, mein Name ist Ken\nFren\tHans, je m'appelle Ken\nItal\tHans, mi chiamo Ken\n"
           "Span\tHans, me llamo Ken\nPort\tHans, o meu nome é Ken\n"
           "Jap\tHansさん、私の名前はKenです (Hans-san, watashi no namae wa Ken desu)\n";
    QTest::newRow("an empty value unsets, an = in the value stays")
        << true << QStringList{"--phrase", "name.dsb", "2", "--set", "my_name=", "--set", "their_name=a=b"}
        << "Rus\ta=b, меня зовут ...\nRusP\ta=b, menyá zovút ...\nEng\ta=b, my name is ...\n"
           "Ger\ta=b, mein Name ist ...\nFren\ta=b, je m'appelle ...\nItal\ta=b, mi chiamo ...\n"
           "Span\ta=b, me llamo ...\nPort\ta=b, o meu nome é ...\n"
           "Jap\ta=bさん、私の名前は...です (a=b-san, watashi no namae wa ... desu)\n";
    QTest::newRow("a row without blanks, the file named in capitals")
        << true << QStringList{"--phrase", "NAME.DSB", "1"}
        << "Rus\tПривет\nRusP\tPrivét\nEng\tHello\nGer\tHallo\nFren\tSalut\nItal\tCiao\nSpan\tHola\nPort\tOlá\n"
           "Jap\tこんにちは (konnichiwa)\n";
    QTest::newRow("empty cells, a tab in a cell, braces around no slot")
        << false << QStringList{"--phrase", "name.dsb", "3", "--set", "rst_sent=59"}
        << "Rus\tМой 59 {qth}\nRusP\t\nEng\tYour 59 report {unknown}\nGer\t\nFren\t\nItal\t\nSpan\t\nPort\t\nJap\t\n";
    QTest::newRow("a list: its two fields, in its order")
        << true << QStringList{"--phrase", "clock.dsb", "1"} << "Eng\tIvan at noon\nRus\tИван в полдень\n";
}

void PhraseCommandTest::printsTheRowFilled()
{
    QFETCH(bool, withProfile);
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    if (withProfile) ProgramFolder::saveProfileNamedIvan(m_config.path());
    const Run result = m_dir->run(arguments);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, out);
}

void PhraseCommandTest::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("the last row") << QStringList{"--phrase", "name.dsb", "3"} << 0 << "";
    QTest::newRow("a row beyond the last") << QStringList{"--phrase", "name.dsb", "4"} << 1 << "no row 4";
    QTest::newRow("no such file") << QStringList{"--phrase", "nosuch.dsb", "1"} << 1 << "nosuch.dsb";
    QTest::newRow("a file that is no database") << QStringList{"--phrase", "junk.dsb", "1"} << 1 << "junk.dsb";
    QTest::newRow("row 0") << QStringList{"--phrase", "name.dsb", "0"} << 2 << "ROW";
    QTest::newRow("a row that is no number") << QStringList{"--phrase", "name.dsb", "two"} << 2 << "ROW";
    QTest::newRow("no row") << QStringList{"--phrase", "name.dsb"} << 2 << "ROW";
    QTest::newRow("two rows") << QStringList{"--phrase", "name.dsb", "1", "2"} << 2 << "ROW";
    QTest::newRow("no file") << QStringList{"--phrase"} << 2 << "--phrase";
    QTest::newRow("a path, not a base name") << QStringList{"--phrase", "../dsb/name.dsb", "1"} << 2 << "base name";
    QTest::newRow("an unknown slot") << QStringList{"--phrase", "name.dsb", "1", "--set", "qth=Kyoto"} << 2
                                     << "no slot \"qth\"";
    QTest::newRow("a setting without =") << QStringList{"--phrase", "name.dsb", "1", "--set", "my_name"} << 2
                                         << "SLOT=VALUE";
    QTest::newRow("--set without --phrase") << QStringList{"--set", "my_name=Ivan"} << 2 << "--set";
    QTest::newRow("two commands") << QStringList{"--phrase", "name.dsb", "1", "--find", "x"} << 2
                                  << "one command at a time";
}

void PhraseCommandTest::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFile junk(m_dir->filePath(QStringLiteral("dsb/junk.dsb")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    QVERIFY(junk.write(QByteArray(8192, 'x')) == 8192);
    junk.close();
    const Run result = m_dir->run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out.isEmpty(), exitCode != 0);
    QCOMPARE(result.err.isEmpty(), exitCode == 0);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
}

// As --find: a usage error, said once, naming the folder looked in.
void PhraseCommandTest::startedAwayFromItsData()
{
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("dsb"))).removeRecursively());
    const Run result = m_dir->run({QStringLiteral("--phrase"), QStringLiteral("name.dsb"), QStringLiteral("1")});
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.out.isEmpty());
    QCOMPARE(result.err.count(u'\n'), 1);
    QVERIFY2(result.err.contains(QDir(m_dir->path()).filePath(QStringLiteral("dsb"))), qPrintable(result.err));
}

// Every row of a shipped topic and list: nine lines for the topic, two for the list, each a field
// and its text, and no slot's name left over.
void PhraseCommandTest::everyShippedRowComesFilled()
{
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("dsb"))).removeRecursively());
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("dsb"))));
    QVERIFY(m_dir->copyShippedFiles());
    int blanks = 0;
    for (const auto& [file, fields] :
         {std::pair(QStringLiteral("name.dsb"), 9), std::pair(QStringLiteral("clock.dsb"), 2)}) {
        for (int row = 1;; ++row) {
            const Run result = m_dir->run({QStringLiteral("--phrase"), file, QString::number(row),
                                           QStringLiteral("--set"), QStringLiteral("my_name=Quokka"),
                                           QStringLiteral("--set"), QStringLiteral("their_call=JA1ABC")});
            if (result.exitCode == 1) break;
            QCOMPARE(result.exitCode, 0);
            const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
            QVERIFY2(lines.size() == fields, qPrintable(file + u' ' + result.out));
            for (const QString& line : lines) {
                QCOMPARE(line.count(u'\t'), 1);
                QVERIFY2(!line.contains(QRegularExpression(QStringLiteral("\\{[a-z_]+\\}"))), qPrintable(line));
            }
            blanks += int(result.out.contains(QStringLiteral("Quokka")));
        }
    }
    // The name's row and the others that name the operator.
    QVERIFY(blanks > 0);
}

void PhraseCommandTest::helpNamesIt()
{
    const Run result = m_dir->run({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    for (const char* text : {"--phrase <FILE>", "--set <SLOT=VALUE>", "an unknown slot"})
        QVERIFY2(result.out.contains(QString::fromLatin1(text)), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(PhraseCommandTest)
#include "phrase_command_test.moc"
