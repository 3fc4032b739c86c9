#include "mdb_export.h"
#include "phrase_data/my_phrase_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>

using phrase_data::MyPhraseFile;
using phrase_data::PhraseTexts;

namespace {

PhraseTexts phrase(const QString& rus, const QString& eng, const QString& jap = {})
{
    PhraseTexts texts;
    texts[std::size_t(phrase_data::LanguageField::Rus)] = rus;
    texts[std::size_t(phrase_data::LanguageField::Eng)] = eng;
    texts[std::size_t(phrase_data::LanguageField::Jap)] = jap;
    return texts;
}

const PhraseTexts Antenna =
    phrase(QStringLiteral("Моя антенна — диполь на крыше"), QStringLiteral("My antenna is a dipole on the roof"),
           QStringLiteral("アンテナは屋根の上のダイポールです。"));
const PhraseTexts Name = phrase(QStringLiteral("Меня зовут Алексей"), QStringLiteral("My name is Alexey"));
const PhraseTexts Rig = phrase({}, QStringLiteral("My rig is a ten-watt transceiver"));

QByteArray bytesOf(const std::filesystem::path& file)
{
    QFile in(QString::fromStdString(file.string()));
    if (!in.open(QIODevice::ReadOnly)) return {};
    return in.readAll();
}

void writeBytes(const std::filesystem::path& file, const QByteArray& bytes)
{
    QFile out(QString::fromStdString(file.string()));
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(bytes), bytes.size());
}

QStringList temporaryFiles(const std::filesystem::path& folder)
{
    return QDir(QString::fromStdString(folder.string()))
        .entryList({QStringLiteral(".my.dsb.tmp-*"), QStringLiteral("*.bak.new")}, QDir::Files | QDir::Hidden);
}

// mdb-export's view of the file, in the store's terms: the nine fields in order, NULL as null.
std::vector<PhraseTexts> exported(const std::filesystem::path& file)
{
    std::vector<PhraseTexts> phrases;
    const auto rows = mdbExport(file, "Dict").rows;
    for (const auto& row : rows) {
        PhraseTexts& texts = phrases.emplace_back();
        for (std::size_t field = 0; field < texts.size() && field < row.size(); ++field)
            if (row[field]) texts[field] = QString::fromStdString(*row[field]);
    }
    return phrases;
}

// A mount over a test's folder, taken off again at the end; none where mounting is not allowed.
class Mount {
public:
    // A small tmpfs, for a disk that fills up.
    static std::unique_ptr<Mount> smallTmpfs(const std::filesystem::path& folder)
    {
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=512k") != 0) return nullptr;
        return std::unique_ptr<Mount>(new Mount(folder));
    }
    // The folder seen read-only from now on. As root, permissions stop no write; a read-only
    // mount does. Files opened before (the lock) stay writable, as after a remount by an admin.
    static std::unique_ptr<Mount> readOnlyView(const std::filesystem::path& folder)
    {
        if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) return nullptr;
        auto view = std::unique_ptr<Mount>(new Mount(folder));
        if (::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) return nullptr;
        return view;
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;
    ~Mount() { ::umount2(m_folder.c_str(), MNT_DETACH); }

private:
    explicit Mount(std::filesystem::path folder)
        : m_folder(std::move(folder))
    {
    }
    std::filesystem::path m_folder;
};

// Writes are refused beyond a few kilobytes, as for a user over a file-size limit.
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_previous;
        small.rlim_cur = 8192;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
};

enum class Fault { FullDisk, FileSizeLimit, ReadOnlyFolder, SecondCopy };

} // namespace

Q_DECLARE_METATYPE(Fault)

class MyPhraseFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void dataFolderIsTheProgramsWhateverItsWindowsAreCalled();
    void nothingIsWrittenBeforeTheFirstSave();
    void addEditDeleteReadBackAsSaved();
    void theBackupHoldsThePreviousFile();
    void longValuesAreRefusedAndTheFileKept();
    void failedSaveKeepsTheFileAndCanBeRetried_data();
    void failedSaveKeepsTheFileAndCanBeRetried();
    void killedSaveLeavesTheFileAndItsTemporaryGoesNextTime();
    void unreadableFileIsMovedAsideNeverOverwritten_data();
    void unreadableFileIsMovedAsideNeverOverwritten();
    void fileSpoiltSinceReadIsKeptNotMadeTheBackup();
    void missingFolderIsMadeOnTheFirstSave();
    void lockOfACopyThatNoLongerRunsIsTakenOver();

private:
    [[nodiscard]] std::filesystem::path folder() const { return m_dir->path().toStdString(); }
    [[nodiscard]] std::filesystem::path file() const { return folder() / "my.dsb"; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void MyPhraseFileTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void MyPhraseFileTest::dataFolderIsTheProgramsWhateverItsWindowsAreCalled()
{
    qputenv("XDG_DATA_HOME", m_dir->path().toUtf8());
    for (const QString& name : {QStringLiteral("Tarvolin"), QStringLiteral("tarvolyn")}) {
        QCoreApplication::setApplicationName(name);
        QCOMPARE(QString::fromStdString(MyPhraseFile::defaultPath().string()),
                 m_dir->path() + QStringLiteral("/Tarvolyn/my.dsb"));
    }
}

void MyPhraseFileTest::nothingIsWrittenBeforeTheFirstSave()
{
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QVERIFY(mine.phrases().empty());
    QVERIFY(!mine.readOnly());
    QVERIFY(!std::filesystem::exists(file()));
}

void MyPhraseFileTest::addEditDeleteReadBackAsSaved()
{
    const auto readBack = [this](const std::vector<PhraseTexts>& expected) {
        QCOMPARE(MyPhraseFile::read(file()), expected);
        QCOMPARE(exported(file()), expected);
    };
    {
        MyPhraseFile mine(file());
        QVERIFY(!mine.open());
        mine.add(Antenna);
        mine.add(Name);
        readBack({Antenna, Name});
        mine.replace(1, Rig);
        readBack({Antenna, Rig});
    }
    // A new session sees what the last one saved, and goes on from there.
    MyPhraseFile again(file());
    QVERIFY(!again.open());
    QCOMPARE(again.phrases(), (std::vector<PhraseTexts>{Antenna, Rig}));
    again.remove(0);
    readBack({Rig});
    again.remove(0);
    readBack({});
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, again.remove(0));
}

void MyPhraseFileTest::theBackupHoldsThePreviousFile()
{
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    mine.add(Antenna);
    QVERIFY(!std::filesystem::exists(mine.backupPath()));
    const QByteArray first = bytesOf(file());
    mine.add(Name);
    QCOMPARE(bytesOf(mine.backupPath()), first);
    const QByteArray second = bytesOf(file());
    mine.remove(0);
    QCOMPARE(bytesOf(mine.backupPath()), second);
    QVERIFY(temporaryFiles(folder()).isEmpty());
}

void MyPhraseFileTest::longValuesAreRefusedAndTheFileKept()
{
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    mine.add(Antenna);
    const QByteArray before = bytesOf(file());
    PhraseTexts tooLong = Name;
    tooLong[2] = QString(MyPhraseFile::MaxTextLength + 1, u'ж');
    QVERIFY_THROWS_EXCEPTION(std::exception, mine.add(tooLong));
    QCOMPARE(bytesOf(file()), before);
    QCOMPARE(mine.phrases().size(), std::size_t{1});
    tooLong[2].chop(1);
    mine.add(tooLong);
    QCOMPARE(MyPhraseFile::read(file()).back(), tooLong);
}

void MyPhraseFileTest::failedSaveKeepsTheFileAndCanBeRetried_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("full disk") << Fault::FullDisk;
    QTest::newRow("file size limit") << Fault::FileSizeLimit;
    QTest::newRow("read-only folder") << Fault::ReadOnlyFolder;
    QTest::newRow("second copy holds the lock") << Fault::SecondCopy;
}

void MyPhraseFileTest::failedSaveKeepsTheFileAndCanBeRetried()
{
    QFETCH(Fault, fault);
    std::unique_ptr<Mount> mount;
    if (fault == Fault::FullDisk && !(mount = Mount::smallTmpfs(folder()))) QSKIP("mounting is not allowed here");

    auto mine = std::make_unique<MyPhraseFile>(file());
    QVERIFY(!mine->open());
    mine->add(Antenna);
    mine->add(Name);
    const QByteArray file1 = bytesOf(file());
    const QByteArray backup = bytesOf(mine->backupPath());

    // Each fault, and how it is lifted for the retry.
    std::unique_ptr<FileSizeLimit> limit;
    std::unique_ptr<MyPhraseFile> other;
    MyPhraseFile* editor = mine.get();
    std::function<void()> lift;
    switch (fault) {
    case Fault::FullDisk: {
        // What is left of the disk goes to another file.
        QFile filler(m_dir->path() + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        lift = [name = filler.fileName()] { QVERIFY(QFile::remove(name)); };
        break;
    }
    case Fault::FileSizeLimit:
        limit = std::make_unique<FileSizeLimit>();
        lift = [&limit] { limit.reset(); };
        break;
    case Fault::ReadOnlyFolder:
        if (!(mount = Mount::readOnlyView(folder()))) QSKIP("mounting is not allowed here");
        lift = [&mount] { mount.reset(); };
        break;
    case Fault::SecondCopy:
        other = std::make_unique<MyPhraseFile>(file());
        QVERIFY(!other->open());
        QVERIFY(other->readOnly());
        QVERIFY(other->readOnlyReason().contains(QString::number(QCoreApplication::applicationPid())));
        QCOMPARE(other->phrases(), mine->phrases());
        editor = other.get();
        lift = [&] {
            mine.reset();
            other = std::make_unique<MyPhraseFile>(file());
            QVERIFY(!other->open());
            QVERIFY(!other->readOnly());
        };
        break;
    }

    const std::vector<PhraseTexts> shown = editor->phrases();
    QVERIFY_THROWS_EXCEPTION(std::exception, editor->add(Rig));
    QVERIFY_THROWS_EXCEPTION(std::exception, editor->replace(0, Rig));
    QVERIFY_THROWS_EXCEPTION(std::exception, editor->remove(0));
    QCOMPARE(editor->phrases(), shown);
    QCOMPARE(bytesOf(file()), file1);
    QCOMPARE(bytesOf(editor->backupPath()), backup);
    QVERIFY(temporaryFiles(folder()).isEmpty());

    lift();
    editor = fault == Fault::SecondCopy ? other.get() : mine.get();
    editor->add(Rig);
    QCOMPARE(MyPhraseFile::read(file()), (std::vector<PhraseTexts>{Antenna, Name, Rig}));
    QCOMPARE(bytesOf(editor->backupPath()), file1);
}

void MyPhraseFileTest::killedSaveLeavesTheFileAndItsTemporaryGoesNextTime()
{
    {
        MyPhraseFile mine(file());
        QVERIFY(!mine.open());
        mine.add(Antenna);
    }
    const QByteArray saved = bytesOf(file());
    // What a save killed between writing and renaming leaves: a whole new file beside the old.
    std::filesystem::copy_file(file(), folder() / ".my.dsb.tmp-4242-0");
    writeBytes(folder() / ".my.dsb.tmp-4243-0", QByteArray(100, '\0'));
    writeBytes(folder() / "my.dsb.bak.new", saved);

    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QCOMPARE(mine.phrases(), std::vector<PhraseTexts>{Antenna});
    QCOMPARE(bytesOf(file()), saved);
    mine.add(Name);
    QVERIFY(temporaryFiles(folder()).isEmpty());
    QCOMPARE(MyPhraseFile::read(file()), (std::vector<PhraseTexts>{Antenna, Name}));
    QCOMPARE(bytesOf(mine.backupPath()), saved);
}

void MyPhraseFileTest::unreadableFileIsMovedAsideNeverOverwritten_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("withBackup");
    QTest::newRow("garbage, backup") << QByteArray("this is no database") << true;
    QTest::newRow("garbage, no backup") << QByteArray("this is no database") << false;
    QTest::newRow("empty, backup") << QByteArray() << true;
    QTest::newRow("truncated, backup") << QByteArray("truncate") << true;
}

void MyPhraseFileTest::unreadableFileIsMovedAsideNeverOverwritten()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, withBackup);
    {
        MyPhraseFile mine(file());
        QVERIFY(!mine.open());
        mine.add(Antenna);
        mine.add(Name);
    }
    if (contents == "truncate") contents = bytesOf(file()).left(6000);
    if (!withBackup) std::filesystem::remove(folder() / "my.dsb.bak");
    writeBytes(file(), contents);

    MyPhraseFile mine(file());
    const auto moved = mine.open();
    QVERIFY(moved.has_value());
    QVERIFY(moved->reason.contains(QStringLiteral("my.dsb")));
    QVERIFY(QString::fromStdString(moved->brokenFile.filename().string()).startsWith(QStringLiteral("my.dsb.broken-")));
    QCOMPARE(bytesOf(moved->brokenFile), contents);
    QVERIFY(!std::filesystem::exists(file()));
    QVERIFY(mine.phrases().empty());
    QCOMPARE(moved->backupReadable, withBackup);
    if (withBackup) {
        mine.restoreBackup();
        QCOMPARE(mine.phrases(), std::vector<PhraseTexts>{Antenna});
        QCOMPARE(MyPhraseFile::read(file()), std::vector<PhraseTexts>{Antenna});
    } else {
        QVERIFY_THROWS_EXCEPTION(std::exception, mine.restoreBackup());
        mine.add(Rig);
    }
    // The moved-aside file stays as it was whatever is saved next.
    QCOMPARE(bytesOf(moved->brokenFile), contents);
}

void MyPhraseFileTest::fileSpoiltSinceReadIsKeptNotMadeTheBackup()
{
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    mine.add(Antenna);
    mine.add(Name);
    const QByteArray backup = bytesOf(mine.backupPath());
    // Another program writes over the file while this one has it open.
    writeBytes(file(), "spoilt");
    mine.add(Rig);
    QCOMPARE(MyPhraseFile::read(file()), (std::vector<PhraseTexts>{Antenna, Name, Rig}));
    QCOMPARE(bytesOf(mine.backupPath()), backup);
    const QStringList aside = QDir(m_dir->path()).entryList({QStringLiteral("my.dsb.broken-*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(bytesOf(folder() / aside[0].toStdString()), QByteArray("spoilt"));
}

void MyPhraseFileTest::missingFolderIsMadeOnTheFirstSave()
{
    const std::filesystem::path nested = folder() / "share" / "Tarvolyn" / "my.dsb";
    auto mine = std::make_unique<MyPhraseFile>(nested);
    QVERIFY(!mine->open());
    QVERIFY(!std::filesystem::exists(nested));
    // Gone again before the save, as when the user clears the folder meanwhile.
    std::filesystem::remove_all(folder() / "share");
    mine->add(Antenna);
    QCOMPARE(MyPhraseFile::read(nested), std::vector<PhraseTexts>{Antenna});
    // Its lock file went with the folder.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Could not remove our own lock file")));
    mine.reset();
}

void MyPhraseFileTest::lockOfACopyThatNoLongerRunsIsTakenOver()
{
    // A lock file naming a process that is gone, as a killed copy leaves it.
    writeBytes(folder() / "my.dsb.lock", QByteArray("999999999\n") + QCoreApplication::applicationName().toUtf8() +
                                             "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QVERIFY2(!mine.readOnly(), qPrintable(mine.readOnlyReason()));
    mine.add(Antenna);
}

QTEST_GUILESS_MAIN(MyPhraseFileTest)
#include "my_phrase_file_test.moc"
