#include "my_phrase_file.h"

#include "jet4/write/temporary_file.h"
#include "jet4/writer.h"
#include "phrase_catalogue.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>

namespace phrase_data {

namespace {

std::runtime_error fileError(const std::filesystem::path& file, const std::string& what)
{
    return std::runtime_error(file.string() + ": " + what);
}

std::filesystem::path besides(const std::filesystem::path& file, const std::string& suffix)
{
    return file.parent_path() / (file.filename().string() + suffix);
}

bool permissionDenied(int error)
{
    return error == EACCES || error == EPERM;
}

} // namespace

std::filesystem::path MyPhraseFile::defaultPath()
{
    // The generic folder, not the application's: the windows call themselves "Tarvolin".
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(QDir(data).filePath(QStringLiteral("Tarvolyn/my.dsb")).toStdString());
}

MyPhraseFile::MyPhraseFile(std::filesystem::path path, std::shared_ptr<jet4::writing::FileSystem> files)
    : m_path(std::move(path))
    , m_files(std::move(files))
    , m_lock(besides(m_path, ".lock"))
{
}

MyPhraseFile::~MyPhraseFile() = default;

std::filesystem::path MyPhraseFile::backupPath() const
{
    return besides(m_path, ".bak");
}

void MyPhraseFile::lock()
{
    m_lockReason.clear();
    if (m_lock.held()) return;
    std::error_code error;
    std::filesystem::create_directories(m_path.parent_path(), error);
    if (error) {
        m_lockReason =
            QStringLiteral("cannot create the folder %1: %2")
                .arg(QString::fromStdString(m_path.parent_path().string()), QString::fromStdString(error.message()));
        return;
    }
    m_lockReason = m_lock.take();
}

void MyPhraseFile::checkLock()
{
    if (m_lock.held()) return;
    // The lock went (with its folder, say): another copy may have taken it and saved since.
    lock();
    if (!m_lockReason.isEmpty()) throw fileError(m_path, "read-only here now: " + m_lockReason.toStdString());
    std::vector<std::uint8_t> bytes;
    if (const int error = m_files->readAll(m_path, bytes); error == ENOENT) {
        if (m_phrases.empty()) return;
    } else if (!error && phrasesOf(readTable(m_path)) == m_phrases) {
        return;
    }
    const std::vector<PhraseTexts> before = m_phrases;
    static_cast<void>(open());
    if (m_phrases != before)
        throw fileError(m_path, "was changed by another copy of the program while its lock was gone; it has been "
                                "read again, so make the change once more");
}

std::optional<MyPhraseFile::MovedAside> MyPhraseFile::open()
{
    // Read-only, the lock is tried again: the other copy may have quit meanwhile.
    lock();
    m_phrases.clear();
    m_fileReason.clear();
    // A pipe would never end, and a save would put a file in place of a device.
    if (struct stat target{}; ::stat(m_path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        m_fileReason = QStringLiteral("it is not a regular file");
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    const int error = m_files->readAll(m_path, bytes);
    if (error == ENOENT) return std::nullopt;
    if (permissionDenied(error)) {
        m_fileReason = QStringLiteral("it may not be read: %1").arg(QString::fromLocal8Bit(std::strerror(error)));
        return std::nullopt;
    }
    // An I/O error says nothing about the file: it stays where it is, for the next try.
    if (error) throw fileError(m_path, std::string("cannot be read: ") + std::strerror(error));
    try {
        const PhraseTable table = PhraseTable::read(std::move(bytes), m_path);
        m_phrases = phrasesOf(table);
        if (const QStringList unknown = unknownColumns(table); !unknown.isEmpty())
            m_fileReason = QStringLiteral("it has columns of another program's (%1), which a save would lose")
                               .arg(unknown.join(QStringLiteral(", ")));
        return std::nullopt;
    } catch (const std::exception& failure) {
        if (readOnly()) throw;
        MovedAside moved{.brokenFile = asideName(".broken-"),
                         .reason = QString::fromUtf8(failure.what()),
                         .keptBackup = {},
                         .backupReadable = false};
        std::error_code renamed;
        std::filesystem::rename(m_path, moved.brokenFile, renamed);
        if (renamed) throw fileError(m_path, "cannot be read, nor moved aside: " + renamed.message());
        // The next saves would make the backup of a file that starts empty: the one there is
        // kept under a name of its own, whatever the user answers.
        if (std::filesystem::exists(backupPath(), renamed)) {
            moved.keptBackup = asideName(".bak-");
            std::filesystem::rename(backupPath(), moved.keptBackup, renamed);
            if (renamed) throw fileError(backupPath(), "cannot be set aside: " + renamed.message());
            moved.backupReadable = readable(moved.keptBackup);
        }
        return moved;
    }
}

std::filesystem::path MyPhraseFile::asideName(const std::string& suffix) const
{
    const std::string stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    std::filesystem::path name = besides(m_path, suffix + stamp);
    std::error_code error;
    for (int n = 2; std::filesystem::exists(name, error); ++n)
        name = besides(m_path, suffix + stamp + "-" + std::to_string(n));
    return name;
}

PhraseTable MyPhraseFile::readTable(const std::filesystem::path& file) const
{
    std::vector<std::uint8_t> bytes;
    if (const int error = m_files->readAll(file, bytes))
        throw std::system_error(error, std::generic_category(), file.string() + ": cannot be read");
    return PhraseTable::read(std::move(bytes), file);
}

bool MyPhraseFile::readable(const std::filesystem::path& file) const
{
    try {
        static_cast<void>(readTable(file));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<PhraseTexts> MyPhraseFile::read(const std::filesystem::path& file)
{
    return phrasesOf(PhraseTable::read(file));
}

std::vector<PhraseTexts> MyPhraseFile::phrasesOf(const PhraseTable& table)
{
    std::vector<PhraseTexts> phrases;
    phrases.reserve(std::size_t(table.rowCount()));
    for (int row = 0; row < table.rowCount(); ++row)
        phrases.push_back(table.texts(row));
    return phrases;
}

QStringList MyPhraseFile::unknownColumns(const PhraseTable& table)
{
    QStringList unknown;
    for (int column = 0; column < table.fieldCount(); ++column)
        if (!PhraseCatalogue::field(table.fieldName(column))) unknown << table.fieldName(column);
    return unknown;
}

void MyPhraseFile::add(const PhraseTexts& phrase)
{
    std::vector<PhraseTexts> phrases = m_phrases;
    phrases.push_back(phrase);
    save(phrases);
}

void MyPhraseFile::replace(std::size_t row, const PhraseTexts& phrase)
{
    std::vector<PhraseTexts> phrases = m_phrases;
    phrases[checkedRow(row)] = phrase;
    save(phrases);
}

void MyPhraseFile::remove(std::size_t row)
{
    std::vector<PhraseTexts> phrases = m_phrases;
    phrases.erase(phrases.begin() + std::ptrdiff_t(checkedRow(row)));
    save(phrases);
}

void MyPhraseFile::restore(const std::filesystem::path& copy)
{
    save(phrasesOf(readTable(copy)));
}

std::vector<MyPhraseFile::KeptCopy> MyPhraseFile::keptCopies() const
{
    std::vector<std::filesystem::path> files;
    const std::string setAside = besides(m_path, ".bak-").filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator it(m_path.parent_path(), error), end; !error && it != end;
         it.increment(error))
        if (it->path().filename().string().starts_with(setAside)) files.push_back(it->path());
    // The stamps in the names sort by time.
    std::sort(files.begin(), files.end(), std::greater<>());
    if (std::filesystem::exists(backupPath(), error)) files.insert(files.begin(), backupPath());
    std::vector<KeptCopy> copies;
    for (const auto& file : files) {
        KeptCopy& copy = copies.emplace_back(KeptCopy{.file = file, .phraseCount = std::nullopt});
        try {
            copy.phraseCount = std::size_t(readTable(file).rowCount());
        } catch (const std::exception&) {
        }
    }
    return copies;
}

std::size_t MyPhraseFile::checkedRow(std::size_t row) const
{
    if (row >= m_phrases.size()) throw fileError(m_path, "no phrase " + std::to_string(row + 1));
    return row;
}

jet4::DatabaseWriter MyPhraseFile::writerFor(const std::vector<PhraseTexts>& phrases)
{
    std::vector<std::string> names;
    for (std::size_t field = 0; field < LanguageFieldCount; ++field)
        names.emplace_back(PhraseCatalogue::fieldName(LanguageField(field)));
    jet4::DatabaseWriter writer(names, PhraseCatalogue::DictTable);
    writer.setTimestamp(std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now()));
    for (const PhraseTexts& phrase : phrases) {
        std::vector<std::string> cells;
        for (const QString& text : phrase)
            cells.push_back(text.toStdString());
        writer.addRow(cells);
    }
    return writer;
}

std::optional<QString> MyPhraseFile::rowProblem(const PhraseTexts& phrase)
{
    try {
        static_cast<void>(writerFor({phrase}));
        return std::nullopt;
    } catch (const jet4::WriteError& refused) {
        return QString::fromStdString(refused.reason());
    }
}

void MyPhraseFile::save(const std::vector<PhraseTexts>& phrases)
{
    if (readOnly()) throw fileError(m_path, "read-only here: " + readOnlyReason().toStdString());
    checkLock();
    m_warning.clear();
    std::error_code error;
    std::filesystem::create_directories(m_path.parent_path(), error);
    if (error) throw fileError(m_path.parent_path(), "cannot create the folder: " + error.message());

    std::vector<std::uint8_t> bytes;
    try {
        bytes = writerFor(phrases).build();
    } catch (const std::bad_alloc&) {
        throw fileError(m_path, "not enough memory to save it");
    }
    jet4::writing::TemporaryFile file(m_path, m_files);
    // The new file keeps the old one's permissions (a user's 600 stays 600).
    struct stat old {};
    if (::stat(m_path.c_str(), &old) == 0) file.setMode(old.st_mode & 07777);
    file.write(bytes);
    file.sync();
    keepBackup();
    file.replace();
    // Done: the file holds the new list, whatever happens to the folder's flush.
    m_phrases = phrases;
    if (const std::string failure = file.flushFolder(); !failure.empty())
        m_warning = QStringLiteral("Saved, but the folder could not be flushed (%1): a power cut now could undo "
                                   "the change.")
                        .arg(QString::fromLocal8Bit(failure));
}

void MyPhraseFile::keepBackup() const
{
    std::vector<std::uint8_t> bytes;
    const int error = m_files->readAll(m_path, bytes);
    if (error == ENOENT) return;
    // Not knowing what the file holds is no reason to file it away as spoilt.
    if (error) throw fileError(m_path, std::string("cannot be read again to keep a backup: ") + std::strerror(error));
    try {
        static_cast<void>(PhraseTable::read(std::move(bytes), m_path));
    } catch (const std::exception&) {
        // Spoilt since it was read (by another program): its bytes are kept, but not as the backup.
        secondName(m_path, asideName(".broken-"));
        return;
    }
    // The new backup goes in place by a rename: a kill leaves either the old backup or the new.
    const std::filesystem::path next = besides(m_path, ".bak.new");
    static_cast<void>(m_files->unlink(next));
    secondName(m_path, next);
    if (m_files->rename(next, backupPath()) != 0) {
        const int refused = errno;
        static_cast<void>(m_files->unlink(next));
        throw fileError(backupPath(), std::string("cannot keep a backup: ") + std::strerror(refused));
    }
}

void MyPhraseFile::secondName(const std::filesystem::path& file, const std::filesystem::path& name) const
{
    // A hard link, so that the file itself never goes away; a copy where links are not possible.
    if (m_files->link(file, name) == 0) return;
    const int refused = errno;
    if (refused != EPERM && refused != EXDEV && refused != EMLINK && refused != EOPNOTSUPP)
        throw fileError(name, "cannot keep a copy of " + file.filename().string() + ": " + std::strerror(refused));
    std::error_code error;
    std::filesystem::copy_file(file, name, error);
    if (error) throw fileError(name, "cannot keep a copy of " + file.filename().string() + ": " + error.message());
}

} // namespace phrase_data
