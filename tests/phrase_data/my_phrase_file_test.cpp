#include "faulty_file_system.h"
#include "mdb_export.h"
#include "phrase_data/my_phrase_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The number of a process that has come and gone.
pid_t goneProcess()
{
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

QStringList namesIn(const std::filesystem::path& folder, const QString& pattern)
{
    return QDir(QString::fromStdString(folder.string())).entryList({pattern}, QDir::Files | QDir::Dirs | QDir::Hidden);
}

mode_t modeOf(const std::filesystem::path& file)
{
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// A lock file's name taken by what a copy killed while making it, or another program, leaves.
enum class LockLeft { EmptyFile, EmptyFolder, FolderWithFiles, GoneProcess, Garbage };

using Step = FaultyFileSystem::Step;

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(LockLeft)
Q_DECLARE_METATYPE(Step)

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
    void lockLeftBehindIsTakenOver_data();
    void lockLeftBehindIsTakenOver();
    void declinedBackupIsKeptAndNeverOverwritten();
    void folderRemovedWhileRunningNeverLosesTheOtherCopysPhrase();
    void permissionsAreKept();
    void unreadableForThisUserIsReadOnlyNotBroken();
    void unknownColumnsAreNeverDropped();
    void specialFileIsNeverReplaced_data();
    void specialFileIsNeverReplaced();
    void rowTooLongForAPageIsFoundBeforeSaving();
    void failedStepOfASaveIsReportedAsTheDiskHasIt_data();
    void failedStepOfASaveIsReportedAsTheDiskHasIt();
    void savesUnderAnAddressSpaceLimit();
    void faultsAsAUserWhoIsNotRoot();

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
    std::filesystem::copy_file(file(), folder() / (".my.dsb.tmp-" + std::to_string(goneProcess()) + "-0"));
    writeBytes(folder() / (".my.dsb.tmp-" + std::to_string(goneProcess()) + "-0"), QByteArray(100, '\0'));
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
    QVERIFY(!std::filesystem::exists(mine.backupPath()));
    if (withBackup) {
        QVERIFY(
            QString::fromStdString(moved->keptBackup.filename().string()).startsWith(QStringLiteral("my.dsb.bak-")));
        mine.restore(moved->keptBackup);
        QCOMPARE(mine.phrases(), std::vector<PhraseTexts>{Antenna});
        QCOMPARE(MyPhraseFile::read(file()), std::vector<PhraseTexts>{Antenna});
    } else {
        QVERIFY(moved->keptBackup.empty());
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
}

void MyPhraseFileTest::lockLeftBehindIsTakenOver_data()
{
    QTest::addColumn<LockLeft>("left");
    QTest::addColumn<bool>("taken");
    QTest::newRow("empty file, as a kill while making it leaves") << LockLeft::EmptyFile << true;
    QTest::newRow("empty folder") << LockLeft::EmptyFolder << true;
    QTest::newRow("a process that is gone") << LockLeft::GoneProcess << true;
    QTest::newRow("garbage") << LockLeft::Garbage << true;
    QTest::newRow("folder with files in it") << LockLeft::FolderWithFiles << false;
}

void MyPhraseFileTest::lockLeftBehindIsTakenOver()
{
    QFETCH(LockLeft, left);
    QFETCH(bool, taken);
    const std::filesystem::path lock = folder() / "my.dsb.lock";
    switch (left) {
    case LockLeft::EmptyFile:
        writeBytes(lock, {});
        break;
    case LockLeft::EmptyFolder:
        std::filesystem::create_directory(lock);
        break;
    case LockLeft::FolderWithFiles:
        std::filesystem::create_directories(lock / "something");
        break;
    case LockLeft::GoneProcess:
        writeBytes(lock, QByteArray::number(goneProcess()) + "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        break;
    case LockLeft::Garbage:
        writeBytes(lock, QByteArray("\x01\x02 not a number"));
        break;
    }
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QCOMPARE(mine.readOnly(), !taken);
    if (!taken) {
        QVERIFY2(mine.readOnlyReason().contains(QStringLiteral("is a folder")), qPrintable(mine.readOnlyReason()));
        QVERIFY_THROWS_EXCEPTION(std::exception, mine.add(Antenna));
        QVERIFY(!std::filesystem::exists(file()));
        return;
    }
    mine.add(Antenna);
    // A second copy now finds it held, and says by whom.
    MyPhraseFile other(file());
    QVERIFY(!other.open());
    QVERIFY(other.readOnly());
    QVERIFY2(other.readOnlyReason().contains(QString::number(QCoreApplication::applicationPid())),
             qPrintable(other.readOnlyReason()));
}

void MyPhraseFileTest::declinedBackupIsKeptAndNeverOverwritten()
{
    std::vector<PhraseTexts> six;
    six.reserve(6);
    for (int i = 0; i < 6; ++i)
        six.push_back(phrase(QStringLiteral("Фраза %1").arg(i), QStringLiteral("Phrase %1").arg(i)));
    {
        MyPhraseFile earlier(file());
        QVERIFY(!earlier.open());
        for (const PhraseTexts& each : six)
            earlier.add(each);
        earlier.add(Rig);
    }
    // The backup holds the six; the file is cut short, as a disk fault leaves it.
    QCOMPARE(MyPhraseFile::read(folder() / "my.dsb.bak"), six);
    writeBytes(file(), bytesOf(file()).left(8192));

    MyPhraseFile mine(file());
    const auto moved = mine.open();
    QVERIFY(moved && moved->backupReadable);
    // The user answers No, and goes on with two phrases.
    mine.add(Antenna);
    mine.add(Name);
    QCOMPARE(MyPhraseFile::read(moved->keptBackup), six);
    const auto copies = mine.keptCopies();
    QCOMPARE(copies.size(), std::size_t{2});
    QCOMPARE(copies[0].file, mine.backupPath());
    QCOMPARE(copies[0].phraseCount, std::optional<std::size_t>{1});
    QCOMPARE(copies[1].file, moved->keptBackup);
    QCOMPARE(copies[1].phraseCount, std::optional<std::size_t>{6});
    // Later the user restores it; what was there becomes the backup.
    mine.restore(moved->keptBackup);
    QCOMPARE(MyPhraseFile::read(file()), six);
    QCOMPARE(MyPhraseFile::read(mine.backupPath()), (std::vector<PhraseTexts>{Antenna, Name}));
    QCOMPARE(MyPhraseFile::read(moved->keptBackup), six);
}

void MyPhraseFileTest::folderRemovedWhileRunningNeverLosesTheOtherCopysPhrase()
{
    MyPhraseFile first(file());
    QVERIFY(!first.open());
    first.add(Antenna);
    std::filesystem::remove_all(folder());
    // A second copy starts now: the lock is free, and it saves a phrase.
    auto second = std::make_unique<MyPhraseFile>(file());
    QVERIFY(!second->open());
    QVERIFY(!second->readOnly());
    second->add(Name);
    // The first copy's lock went with the folder: while the second runs, it may not save.
    QVERIFY_THROWS_EXCEPTION(std::exception, first.add(Rig));
    QVERIFY(first.readOnly());
    QVERIFY2(first.readOnlyReason().contains(QStringLiteral("another copy")), qPrintable(first.readOnlyReason()));
    QCOMPARE(MyPhraseFile::read(file()), std::vector<PhraseTexts>{Name});
    // Once the second has quit, the first takes the lock, but what it would save is stale: it
    // reads the file again and saves nothing this time.
    second.reset();
    QVERIFY(!first.open());
    QVERIFY(!first.readOnly());
    QCOMPARE(first.phrases(), std::vector<PhraseTexts>{Name});
    // Again, the second copy gone before the first saves: the save finds the lock lost, takes
    // it again, and reads the file again instead of saving over the other's phrase.
    std::filesystem::remove_all(folder());
    {
        MyPhraseFile third(file());
        QVERIFY(!third.open());
        third.add(Antenna);
    }
    QVERIFY_THROWS_EXCEPTION(std::exception, first.add(Rig));
    QCOMPARE(first.phrases(), std::vector<PhraseTexts>{Antenna});
    first.add(Rig);
    QCOMPARE(MyPhraseFile::read(file()), (std::vector<PhraseTexts>{Antenna, Rig}));
}

void MyPhraseFileTest::permissionsAreKept()
{
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    mine.add(Antenna);
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0644}}) {
        QCOMPARE(::chmod(file().c_str(), mode), 0);
        mine.add(Name);
        QCOMPARE(modeOf(file()), mode);
    }
}

void MyPhraseFileTest::unreadableForThisUserIsReadOnlyNotBroken()
{
    {
        MyPhraseFile earlier(file());
        QVERIFY(!earlier.open());
        earlier.add(Antenna);
    }
    QCOMPARE(::chmod(file().c_str(), 0), 0);
    if (::geteuid() == 0) QSKIP("root reads a file of mode 000: faultsAsAUserWhoIsNotRoot runs this as nobody");
    const QByteArray before = QByteArray::number(std::filesystem::file_size(file()));
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QVERIFY(mine.readOnly());
    QVERIFY2(mine.readOnlyReason().contains(QStringLiteral("Permission denied")), qPrintable(mine.readOnlyReason()));
    QVERIFY(namesIn(folder(), QStringLiteral("my.dsb.broken-*")).isEmpty());
    QVERIFY_THROWS_EXCEPTION(std::exception, mine.add(Name));
    QCOMPARE(QByteArray::number(std::filesystem::file_size(file())), before);
    // The user mends the permissions; the file was never touched.
    QCOMPARE(::chmod(file().c_str(), 0600), 0);
    QVERIFY(!mine.open());
    QVERIFY(!mine.readOnly());
    QCOMPARE(mine.phrases(), std::vector<PhraseTexts>{Antenna});
}

void MyPhraseFileTest::unknownColumnsAreNeverDropped()
{
    // Another program's file: the nine fields and a column of its own.
    jet4::DatabaseWriter writer({"Rus", "Eng", "Notes"});
    writer.addRow({"Привет", "Hello", "a note of my own"});
    writer.writeFile(file());
    const QByteArray before = bytesOf(file());
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QCOMPARE(mine.phrases().size(), std::size_t{1});
    QVERIFY(mine.readOnly());
    QVERIFY2(mine.readOnlyReason().contains(QStringLiteral("Notes")), qPrintable(mine.readOnlyReason()));
    QVERIFY_THROWS_EXCEPTION(std::exception, mine.add(Name));
    QCOMPARE(bytesOf(file()), before);
}

void MyPhraseFileTest::specialFileIsNeverReplaced_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("a device node") << QStringLiteral("device");
}

void MyPhraseFileTest::specialFileIsNeverReplaced()
{
    QFETCH(QString, kind);
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(file().c_str(), 0600), 0);
    else
        std::filesystem::create_symlink("/dev/null", file());
    MyPhraseFile mine(file());
    QVERIFY(!mine.open()); // returns: a pipe is never read
    QVERIFY(mine.readOnly());
    QVERIFY_THROWS_EXCEPTION(std::exception, mine.add(Name));
    const auto status = std::filesystem::status(file());
    QVERIFY(kind == u"fifo" ? std::filesystem::is_fifo(status) : std::filesystem::is_character_file(status));
}

void MyPhraseFileTest::rowTooLongForAPageIsFoundBeforeSaving()
{
    PhraseTexts full;
    for (std::size_t field = 0; field < 8; ++field)
        full[field] = QString(MyPhraseFile::MaxTextLength, u'ж');
    const auto problem = MyPhraseFile::rowProblem(full);
    QVERIFY(problem);
    QVERIFY2(problem->contains(QStringLiteral("row too long for a page")), qPrintable(*problem));
    MyPhraseFile mine(file());
    QVERIFY(!mine.open());
    QVERIFY_THROWS_EXCEPTION(std::exception, mine.add(full));
    full[7].clear();
    QCOMPARE(MyPhraseFile::rowProblem(full), std::nullopt);
    mine.add(full);
}

void MyPhraseFileTest::failedStepOfASaveIsReportedAsTheDiskHasIt_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("done");
    QTest::newRow("create: EIO") << Step::Create << EIO << false;
    QTest::newRow("create: EMFILE") << Step::Create << EMFILE << false;
    QTest::newRow("write: ENOSPC") << Step::Write << ENOSPC << false;
    QTest::newRow("write: EIO") << Step::Write << EIO << false;
    QTest::newRow("mode: EPERM") << Step::SetMode << EPERM << false;
    QTest::newRow("fsync: EIO") << Step::Sync << EIO << false;
    QTest::newRow("close: EIO") << Step::Close << EIO << false;
    QTest::newRow("re-read, open: EMFILE") << Step::OpenOld << EMFILE << false;
    QTest::newRow("re-read, open: EIO") << Step::OpenOld << EIO << false;
    QTest::newRow("re-read: EIO") << Step::ReadOld << EIO << false;
    QTest::newRow("link: EIO") << Step::Link << EIO << false;
    QTest::newRow("link: ENOSPC") << Step::Link << ENOSPC << false;
    QTest::newRow("backup rename: EIO") << Step::KeepBackup << EIO << false;
    QTest::newRow("rename: EIO") << Step::Replace << EIO << false;
    QTest::newRow("rename: EXDEV") << Step::Replace << EXDEV << false;
    QTest::newRow("folder open: EIO") << Step::OpenFolder << EIO << true;
    QTest::newRow("folder open: EACCES") << Step::OpenFolder << EACCES << true;
    QTest::newRow("folder fsync: EIO") << Step::SyncFolder << EIO << true;
}

void MyPhraseFileTest::failedStepOfASaveIsReportedAsTheDiskHasIt()
{
    QFETCH(Step, step);
    QFETCH(int, error);
    QFETCH(bool, done);
    // Each change in turn, the fault at its step, then the same change again without it.
    const std::vector<std::pair<const char*, std::function<void(MyPhraseFile&)>>> changes{
        {"add", [](MyPhraseFile& mine) { mine.add(Rig); }},
        {"replace", [](MyPhraseFile& mine) { mine.replace(0, Rig); }},
        {"remove", [](MyPhraseFile& mine) { mine.remove(0); }},
    };
    int injected = 0;
    for (const auto& [name, change] : changes) {
        std::filesystem::remove_all(folder());
        auto files = std::make_shared<FaultyFileSystem>();
        MyPhraseFile mine(file(), files);
        QVERIFY(!mine.open());
        mine.add(Antenna);
        mine.add(Name);
        const std::vector<PhraseTexts> before = mine.phrases();
        const QByteArray fileBefore = bytesOf(file());
        const QByteArray backupBefore = bytesOf(mine.backupPath());
        files->failAt(step, error);
        bool saved = true;
        QString failure;
        try {
            change(mine);
        } catch (const std::exception& refused) {
            saved = false;
            failure = QString::fromUtf8(refused.what());
        }
        QCOMPARE(files->failures(), 1);
        injected += files->failures();
        QVERIFY2(saved == done, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), failure)));
        // What the program holds is what the disk holds.
        QCOMPARE(MyPhraseFile::read(file()), mine.phrases());
        if (saved) {
            QVERIFY(mine.phrases() != before);
            QCOMPARE(bytesOf(mine.backupPath()), fileBefore);
            QVERIFY2(mine.warning().contains(QStringLiteral("folder could not be flushed")),
                     qPrintable(mine.warning()));
        } else {
            QVERIFY2(failure.contains(QStringLiteral("my.dsb")), qPrintable(failure));
            QCOMPARE(mine.phrases(), before);
            QCOMPARE(bytesOf(file()), fileBefore);
            // The backup is kept just before the rename: when that fails, the backup already
            // holds the file as it still is.
            QCOMPARE(bytesOf(mine.backupPath()), step == Step::Replace ? fileBefore : backupBefore);
        }
        QVERIFY(namesIn(folder(), QStringLiteral("my.dsb.broken-*")).isEmpty());
        QVERIFY(temporaryFiles(folder()).isEmpty());
        // Again, without the fault.
        const std::vector<PhraseTexts> now = mine.phrases();
        change(mine);
        QVERIFY(mine.warning().isEmpty());
        QCOMPARE(MyPhraseFile::read(file()), mine.phrases());
        if (!saved) QVERIFY(mine.phrases() != now);
    }
    qInfo("faults injected: %d", injected);
}

void MyPhraseFileTest::savesUnderAnAddressSpaceLimit()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer's shadow memory does not fit under an address-space limit");
#endif
    // About 2 GB, as `ulimit -v 2000000` sets it.
    QProcess saver;
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    saver.start(QStringLiteral(MY_PHRASE_SAVER), {QStringLiteral("--limit"), QString::number(2000000ULL * 1024),
                                                  QString::fromStdString(file().string())});
    QVERIFY(saver.waitForFinished(30000));
    const QString output = QString::fromUtf8(saver.readAllStandardOutput());
    QVERIFY2(saver.exitStatus() == QProcess::NormalExit && saver.exitCode() == 0, qPrintable(output));
    QCOMPARE(MyPhraseFile::read(file()).size(), std::size_t{1});
}

void MyPhraseFileTest::faultsAsAUserWhoIsNotRoot()
{
    if (::geteuid() != 0) QSKIP("not root: the whole test already ran as a user whom permissions stop");
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) QSKIP("no setpriv here to run the test as user nobody");
    const QString self = QCoreApplication::applicationFilePath();
    // nobody must reach the program and the saver through every folder above them.
    for (const QString& program : {self, QStringLiteral(MY_PHRASE_SAVER)})
        if (QProcess::execute(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                        QStringLiteral("--clear-groups"), QStringLiteral("test"), QStringLiteral("-x"),
                                        program}) != 0)
            QSKIP(qPrintable(QStringLiteral("user nobody may not run %1 here").arg(program)));
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QCOMPARE(::chmod(home.path().toLocal8Bit().constData(), 0777), 0);
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), home.path());
    environment.insert(QStringLiteral("HOME"), home.path());
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                        QStringLiteral("--clear-groups"), self, QStringLiteral("failedSaveKeepsTheFileAndCanBeRetried"),
                        QStringLiteral("failedStepOfASaveIsReportedAsTheDiskHasIt"),
                        QStringLiteral("unreadableForThisUserIsReadOnlyNotBroken"),
                        QStringLiteral("permissionsAreKept"), QStringLiteral("lockLeftBehindIsTakenOver"),
                        QStringLiteral("folderRemovedWhileRunningNeverLosesTheOtherCopysPhrase")});
    QVERIFY(run.waitForFinished(120000));
    const QString output = QString::fromUtf8(run.readAll());
    qInfo("%s", qPrintable(QStringLiteral("as user nobody:\n") + output));
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(output));
}

QTEST_GUILESS_MAIN(MyPhraseFileTest)
#include "my_phrase_file_test.moc"
