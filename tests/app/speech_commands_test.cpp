// The command line's --say and --spell: the built program run in a scratch working directory
// that holds the shipped phrase files.

#include "program_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using Run = ProgramFolder::Run;

class SpeechCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void wavFile_data();
    void wavFile();
    void spelling_data();
    void spelling();
    void wavNeverReplacesAPipeOrADevice_data();
    void wavNeverReplacesAPipeOrADevice();

private:
    [[nodiscard]] Run run(const QStringList& arguments) const { return m_dir.run(arguments); }
    ProgramFolder m_dir;
};

void SpeechCommandsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_dir.copyShippedFiles());
}

void SpeechCommandsTest::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("say") << QStringList{"--say", "Eng", "Thanks for the call.", "--wav", "out.wav"} << 0 << "";
    QTest::newRow("bad field") << QStringList{"--say", "Klingon", "Qapla'", "--wav", "out.wav"} << 2
                               << "no language field \"Klingon\"";
    QTest::newRow("unwritable file") << QStringList{"--say", "Eng", "Hello", "--wav", "no/such/folder/out.wav"} << 2
                                     << "no/such/folder/out.wav";
    QTest::newRow("no wav") << QStringList{"--say", "Eng", "Hello"} << 2 << "--wav";
    QTest::newRow("no text") << QStringList{"--say", "Eng", "--wav", "out.wav"} << 2 << "one TEXT";
    QTest::newRow("RusP nowhere") << QStringList{"--say", "RusP", "Nikagdá.", "--wav", "out.wav"} << 1
                                  << "no RusP phrase \"Nikagdá.\"";
    QTest::newRow("nothing to say") << QStringList{"--say", "Ger", "...", "--wav", "out.wav"} << 1 << "nothing to say";
    QTest::newRow("spoken and wav") << QStringList{"--say", "Eng", "Hello", "--spoken", "--wav", "out.wav"} << 2
                                    << "not both";
    QTest::newRow("spell") << QStringList{"--spell", "Eng", "QZ7KV"} << 0 << "";
    QTest::newRow("Japanese kanji without romaji")
        << QStringList{"--say", "Jap", "名前", "--wav", "out.wav"} << 2 << "\"名前 (namae)\"";
    QTest::newRow("spell no words") << QStringList{"--spell", "Eng"} << 2 << "one or more words";
    QTest::newRow("spell bad field") << QStringList{"--spell", "Elvish", "QZ7KV"} << 2 << "no language field";
    QTest::newRow("say too long") << QStringList{"--say", "Eng", QString(100000, u'a'), "--wav", "out.wav"} << 2
                                  << "at most 4096 characters";
    // Qt's options start the windows: an unknown platform is Qt's to refuse, not ours.
    QTest::newRow("Qt's option starts the windows")
        << QStringList{"-platform", "nosuchplatform"} << -1 << "\"nosuchplatform\"";
}

void SpeechCommandsTest::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
}

void SpeechCommandsTest::wavFile_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("Rus") << "Rus"
                         << "Частота занята, пожалуйста, QSY.";
    QTest::newRow("RusP") << "RusP"
                          << "QRL? Chastatá zanyatá?";
    QTest::newRow("Jap") << "Jap"
                         << "コールありがとうございます。 (Kōru arigatō gozaimasu.)";
    QTest::newRow("Port") << "Port"
                          << "Obrigado pela chamada.";
}

// A WAV file of 16-bit mono PCM with sound in it, as sox reads it.
void SpeechCommandsTest::wavFile()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    const QString wav = m_dir.filePath(field + QStringLiteral(".wav"));
    QCOMPARE(run({"--say", field, text, "--wav", wav}).exitCode, 0);

    QProcess sox;
    sox.start(QStringLiteral("sox"), {wav, "-n", "stat"});
    QVERIFY(sox.waitForFinished(20000));
    QCOMPARE(sox.exitCode(), 0);
    const QString stat = QString::fromUtf8(sox.readAllStandardError());
    const auto figure = [&](const QString& name) {
        for (const QString& line : stat.split(u'\n'))
            if (line.startsWith(name)) return line.section(u':', 1).trimmed().toDouble();
        return -1.0;
    };
    QVERIFY2(figure(QStringLiteral("Length (seconds)")) > 0.5, qPrintable(stat));
    QVERIFY2(figure(QStringLiteral("RMS     amplitude")) > 0.01, qPrintable(stat));

    QProcess soxi;
    soxi.start(QStringLiteral("soxi"), {wav});
    QVERIFY(soxi.waitForFinished(20000));
    const QString info = QString::fromUtf8(soxi.readAllStandardOutput());
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Channels\\s*: 1"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Precision\\s*: 16-bit"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("Signed Integer PCM")), qPrintable(info));
}

void SpeechCommandsTest::spelling_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");
    QTest::newRow("English") << QStringList{"--spell", "Eng", "QZ7KV"} << "Quebec Zulu Seven Kilo Victor\n";
    QTest::newRow("Russian, stroke") << QStringList{"--spell", "rus", "R/P"} << "Роман дробь Павел\n";
    QTest::newRow("several words") << QStringList{"--spell", "Eng", "QZ7KV", "P"}
                                   << "Quebec Zulu Seven Kilo Victor Papa\n";
    QTest::newRow("Cyrillic, unknown") << QStringList{"--spell", "Span", "ЖЧ"} << "Valencia [Ч]\n";
    QTest::newRow("emoji: one character, one bracket")
        << QStringList{"--spell", "Eng", "Q📻K👍🏽"} << "Quebec [📻] Kilo [👍🏽]\n";
    QTest::newRow("Qt's own options go to Qt")
        << QStringList{"-platform", "offscreen", "--spell", "Eng", "QK"} << "Quebec Kilo\n";
    // --say --spoken prints its line the same way: the words said, in the voice's script.
    QTest::newRow("spoken, Portuguese") << QStringList{"--say", "Port", "Obrigado pelo QSO.", "--spoken"}
                                        << "Obrigado pelo quê ésse ó.\n";
    QTest::newRow("spoken, RusP row") << QStringList{"--say", "RusP", "Vam pyat'-dévyat' nol'-nol'-adín.", "--spoken"}
                                      << "Вам пять де́вять ноль ноль оди́н.\n";
    QTest::newRow("spoken, Rus row") << QStringList{"--say", "Rus", "Это GP с 4 противовесами.", "--spoken"}
                                     << "Э́то гэ пэ с четырьмя́ противове́сами.\n";
}

void SpeechCommandsTest::spelling()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, line);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, line);
}

void SpeechCommandsTest::wavNeverReplacesAPipeOrADevice_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("a device node, as /dev/full") << QStringLiteral("device");
}

void SpeechCommandsTest::wavNeverReplacesAPipeOrADevice()
{
    QFETCH(QString, kind);
    const QString target = m_dir.filePath(kind + QStringLiteral(".wav"));
    const QByteArray name = QFile::encodeName(target);
    if (kind == u"fifo") {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else if (::mknod(name.constData(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
        QSKIP("only root may make a device node here");
    }
    const Run result = run({"--say", "Eng", "hello", "--wav", target});
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(QStringLiteral("not a regular file")), qPrintable(result.err));
    struct stat status {};
    QCOMPARE(::lstat(name.constData(), &status), 0);
    QVERIFY(kind == u"fifo" ? S_ISFIFO(status.st_mode) : S_ISCHR(status.st_mode));
    QVERIFY(::unlink(name.constData()) == 0);
}

QTEST_GUILESS_MAIN(SpeechCommandsTest)
#include "speech_commands_test.moc"
