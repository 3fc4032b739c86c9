#include "my_phrase_file.h"

#include "jet4/reader.h"
#include "jet4/writer.h"
#include "phrase_catalogue.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <chrono>
#include <stdexcept>
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

} // namespace

std::filesystem::path MyPhraseFile::defaultPath()
{
    // The generic folder, not the application's: the windows call themselves "Tarvolin".
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(QDir(data).filePath(QStringLiteral("Tarvolyn/my.dsb")).toStdString());
}

MyPhraseFile::MyPhraseFile(std::filesystem::path path)
    : m_path(std::move(path))
{
}

MyPhraseFile::~MyPhraseFile() = default;

std::filesystem::path MyPhraseFile::backupPath() const
{
    return besides(m_path, ".bak");
}

void MyPhraseFile::lock()
{
    m_readOnlyReason.clear();
    std::error_code error;
    std::filesystem::create_directories(m_path.parent_path(), error);
    if (error) {
        m_readOnlyReason =
            QStringLiteral("cannot create the folder %1: %2")
                .arg(QString::fromStdString(m_path.parent_path().string()), QString::fromStdString(error.message()));
        return;
    }
    m_lock = std::make_unique<QLockFile>(QString::fromStdString(besides(m_path, ".lock").string()));
    // The lock is held for the whole session, so its age says nothing; only a lock whose owner
    // no longer runs is stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) return;
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &application))
        m_readOnlyReason = QStringLiteral("another copy of the program (process %1) is editing it").arg(pid);
    else
        m_readOnlyReason = QStringLiteral("cannot make its lock file in %1")
                               .arg(QString::fromStdString(m_path.parent_path().string()));
    m_lock.reset();
}

std::optional<MyPhraseFile::MovedAside> MyPhraseFile::open()
{
    // Read-only, the lock is tried again: the other copy may have quit meanwhile.
    if (!m_lock) lock();
    m_phrases.clear();
    std::error_code error;
    if (!std::filesystem::exists(m_path, error)) return std::nullopt;
    try {
        m_phrases = read(m_path);
        return std::nullopt;
    } catch (const std::exception& failure) {
        if (readOnly()) throw;
        MovedAside moved{
            .brokenFile = brokenName(), .reason = QString::fromUtf8(failure.what()), .backupReadable = false};
        std::filesystem::rename(m_path, moved.brokenFile, error);
        if (error) throw fileError(m_path, "cannot be read, nor moved aside: " + error.message());
        moved.backupReadable = readable(backupPath());
        return moved;
    }
}

std::filesystem::path MyPhraseFile::brokenName() const
{
    const std::string stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    std::filesystem::path name = besides(m_path, ".broken-" + stamp);
    std::error_code error;
    for (int n = 2; std::filesystem::exists(name, error); ++n)
        name = besides(m_path, ".broken-" + stamp + "-" + std::to_string(n));
    return name;
}

bool MyPhraseFile::readable(const std::filesystem::path& file)
{
    try {
        static_cast<void>(read(file));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<PhraseTexts> MyPhraseFile::read(const std::filesystem::path& file)
{
    const jet4::Table table = jet4::Database::open(file).readTable(PhraseCatalogue::DictTable);
    std::array<std::optional<std::size_t>, LanguageFieldCount> columns;
    for (std::size_t field = 0; field < LanguageFieldCount; ++field) {
        const QString name = QString::fromLatin1(PhraseCatalogue::fieldName(LanguageField(field)));
        for (std::size_t column = 0; column < table.columnCount(); ++column)
            if (QString::fromStdString(table.columns()[column].name).compare(name, Qt::CaseInsensitive) == 0)
                columns[field] = column;
    }
    std::vector<PhraseTexts> phrases(table.rowCount());
    for (std::size_t row = 0; row < phrases.size(); ++row) {
        for (std::size_t field = 0; field < LanguageFieldCount; ++field) {
            if (!columns[field]) continue;
            if (const auto text = table.cell(row, *columns[field]))
                phrases[row][field] = QString::fromUtf16(text->data(), qsizetype(text->size()));
        }
    }
    return phrases;
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

void MyPhraseFile::restoreBackup()
{
    save(read(backupPath()));
}

std::size_t MyPhraseFile::checkedRow(std::size_t row) const
{
    if (row >= m_phrases.size()) throw fileError(m_path, "no phrase " + std::to_string(row + 1));
    return row;
}

void MyPhraseFile::save(const std::vector<PhraseTexts>& phrases)
{
    if (readOnly()) throw fileError(m_path, "read-only here: " + m_readOnlyReason.toStdString());
    if (!m_lock) throw fileError(m_path, "not opened");
    std::error_code error;
    std::filesystem::create_directories(m_path.parent_path(), error);
    if (error) throw fileError(m_path.parent_path(), "cannot create the folder: " + error.message());
    removeStaleTemporaryFiles();

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
    writer.writeFile(m_path, [this] { keepBackup(); });
    m_phrases = phrases;
}

void MyPhraseFile::keepBackup() const
{
    std::error_code error;
    if (!std::filesystem::exists(m_path, error)) return;
    // Spoilt since it was read (by another program): its bytes are kept, but not as the backup.
    if (!readable(m_path)) {
        secondName(m_path, brokenName());
        return;
    }
    // The new backup goes in place by a rename: a kill leaves either the old backup or the new.
    const std::filesystem::path next = besides(m_path, ".bak.new");
    std::filesystem::remove(next, error);
    secondName(m_path, next);
    std::filesystem::rename(next, backupPath(), error);
    if (error) throw fileError(backupPath(), "cannot keep a backup: " + error.message());
}

void MyPhraseFile::secondName(const std::filesystem::path& file, const std::filesystem::path& name)
{
    // A hard link, so that the file itself never goes away; a copy where links are not possible.
    std::error_code error;
    std::filesystem::create_hard_link(file, name, error);
    if (!error) return;
    error.clear();
    std::filesystem::copy_file(file, name, error);
    if (error) throw fileError(name, "cannot keep a copy of " + file.filename().string() + ": " + error.message());
}

void MyPhraseFile::removeStaleTemporaryFiles() const
{
    // Only the lock holder saves, so any temporary file there is left from a killed save.
    const std::string prefix = jet4::DatabaseWriter::temporaryFilePrefix(m_path);
    std::error_code error;
    for (std::filesystem::directory_iterator it(m_path.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename().string().starts_with(prefix)) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

} // namespace phrase_data
