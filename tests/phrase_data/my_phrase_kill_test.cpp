#include "phrase_data/my_phrase_file.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <set>
#include <thread>

using phrase_data::MyPhraseFile;

// A child saving My phrases in a loop is killed with SIGKILL, at every file-system call of its
// first saves and at random moments; after each kill the file must read, nothing may be filed
// away as broken, the next copy must get the lock, and every phrase reported saved must be in
// the file.
class MyPhraseKillTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void noPhraseReportedSavedIsLostToAKill();

private:
    // Starts the saver; its phrases are named run-<i>.
    void start(QProcess& saver, const QString& run, int count, std::size_t killAt = 0) const;
    // Takes the "saved" lines the saver printed.
    void takeReports(QProcess& saver);
    // What must hold after each kill.
    void checkTheFile();

    [[nodiscard]] std::filesystem::path file() const { return m_dir->filePath(QStringLiteral("my.dsb")).toStdString(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::set<QString> m_reported;
    std::size_t m_lost = 0;
};

void MyPhraseKillTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void MyPhraseKillTest::start(QProcess& saver, const QString& run, int count, std::size_t killAt) const
{
    QStringList arguments{QString::fromStdString(file().string()), run, QString::number(count)};
    if (killAt != 0) arguments << QString::number(killAt);
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    saver.start(QStringLiteral(MY_PHRASE_SAVER), arguments);
    QVERIFY(saver.waitForStarted());
}

void MyPhraseKillTest::takeReports(QProcess& saver)
{
    while (saver.canReadLine()) {
        const QString line = QString::fromUtf8(saver.readLine()).trimmed();
        QVERIFY2(!line.startsWith(QStringLiteral("not opened")), qPrintable(line));
        if (line.startsWith(QStringLiteral("saved "))) m_reported.insert(line.mid(6));
    }
}

void MyPhraseKillTest::checkTheFile()
{
    if (m_reported.empty() && !std::filesystem::exists(file())) return;
    std::vector<phrase_data::PhraseTexts> phrases;
    try {
        phrases = MyPhraseFile::read(file());
    } catch (const std::exception& error) {
        QFAIL(error.what());
    }
    std::set<QString> inFile;
    for (const auto& phrase : phrases)
        inFile.insert(phrase[std::size_t(phrase_data::LanguageField::Eng)]);
    for (const QString& text : m_reported)
        m_lost += inFile.contains(text) ? 0 : 1;
    QCOMPARE(m_lost, std::size_t{0});
    QVERIFY(QDir(m_dir->path()).entryList({QStringLiteral("my.dsb.broken-*")}).isEmpty());
}

void MyPhraseKillTest::noPhraseReportedSavedIsLostToAKill()
{
    int kills = 0;
    // At each call of the first three saves: the first makes the file, the others replace it.
    constexpr std::size_t Calls = 45;
    for (std::size_t call = 1; call <= Calls; ++call) {
        QProcess saver;
        start(saver, QStringLiteral("call%1").arg(call), 3, call);
        QVERIFY(saver.waitForFinished(30000));
        takeReports(saver);
        if (saver.exitStatus() == QProcess::CrashExit) ++kills;
        checkTheFile();
    }
    // At random moments of a long run of saves.
    constexpr int RandomKills = 30;
    for (int round = 0; round < RandomKills; ++round) {
        QProcess saver;
        start(saver, QStringLiteral("random%1").arg(round), 1000);
        const int wanted = QRandomGenerator::global()->bounded(1, 4);
        for (int reports = 0; reports < wanted && saver.waitForReadyRead(30000);) {
            while (saver.canReadLine() && reports < wanted) {
                const QString line = QString::fromUtf8(saver.readLine()).trimmed();
                QVERIFY2(line.startsWith(QStringLiteral("saved ")), qPrintable(line));
                m_reported.insert(line.mid(6));
                ++reports;
            }
        }
        // Somewhere inside the next save or two: they take about a millisecond each.
        std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(3000)));
        QCOMPARE(::kill(pid_t(saver.processId()), SIGKILL), 0);
        QVERIFY(saver.waitForFinished(30000));
        takeReports(saver);
        ++kills;
        checkTheFile();
    }
    // A copy after all that saves, and clears the temporaries the killed ones left.
    QProcess last;
    start(last, QStringLiteral("last"), 1);
    QVERIFY(last.waitForFinished(30000));
    QCOMPARE(last.exitCode(), 0);
    takeReports(last);
    checkTheFile();
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral(".my.dsb.tmp-*")}, QDir::Files | QDir::Hidden),
             QStringList());
    qInfo("kills: %d, phrases reported saved: %zu, lost: %zu", kills, m_reported.size(), m_lost);
    QVERIFY(kills >= 50);
}

QTEST_GUILESS_MAIN(MyPhraseKillTest)
#include "my_phrase_kill_test.moc"
