#pragma once

#include "file_lock.h"
#include "jet4/write/file_system.h"
#include "jet4/writer.h"
#include "language_field.h"
#include "phrase_table.h"
#include "phrase_texts.h"

#include <QString>
#include <QStringList>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace phrase_data {

// The user's own phrase file: one table "Dict" with the nine language fields, written by the
// jet4 writer. It is made on the first save, and every change writes the whole file anew
// through a temporary file that replaces it only once it is on the disk, after the previous
// file was kept as "<file>.bak". A lock file beside it keeps a second running copy read-only.
// Every call a save makes on the disk goes through the FileSystem given.
class MyPhraseFile {
public:
    static constexpr std::size_t MaxTextLength = jet4::DatabaseWriter::MaxTextLength;

    // What open() found when the file could not be read: it is moved aside, never written over,
    // and so is the backup, which nothing then overwrites, whether it is taken or not.
    struct MovedAside {
        std::filesystem::path brokenFile; // where the unreadable file is now
        QString reason;                   // why it could not be read
        std::filesystem::path keptBackup; // where the backup is now; empty when there was none
        bool backupReadable = false;      // whether restore() can start from keptBackup
    };

    // A copy restore() can start from: the backup, or one set aside.
    struct KeptCopy {
        std::filesystem::path file;
        std::optional<std::size_t> phraseCount; // none when it cannot be read
    };

    // <the user's data folder>/Tarvolyn/my.dsb, the same for the windows and the command line
    // whatever name the application gives itself.
    [[nodiscard]] static std::filesystem::path defaultPath();

    explicit MyPhraseFile(std::filesystem::path path, std::shared_ptr<jet4::writing::FileSystem> files =
                                                          std::make_shared<jet4::writing::FileSystem>());
    MyPhraseFile(const MyPhraseFile&) = delete;
    MyPhraseFile& operator=(const MyPhraseFile&) = delete;
    ~MyPhraseFile();

    // Takes the lock unless held (or, when another copy holds it, goes read-only, until an
    // open() after the other copy quit) and reads the file; a missing file is an empty list.
    // A file that reads but is not a phrase file is moved aside when the lock is ours (and
    // reported); read-only, it throws instead. A file this user may not read, or one with
    // columns of another program's, is read-only with the reason. Any other failure to read
    // throws std::runtime_error naming the file, and nothing is moved.
    [[nodiscard]] std::optional<MovedAside> open();

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] std::filesystem::path backupPath() const;
    [[nodiscard]] bool readOnly() const { return !readOnlyReason().isEmpty(); }
    // Why the file cannot be changed here; empty when it can.
    [[nodiscard]] QString readOnlyReason() const { return m_lockReason.isEmpty() ? m_fileReason : m_lockReason; }
    // Whether another copy holds the lock, so that an open() may find it free later.
    [[nodiscard]] bool lockedOut() const { return !m_lockReason.isEmpty(); }
    [[nodiscard]] const std::vector<PhraseTexts>& phrases() const { return m_phrases; }
    // What the last save warns of although it was done ("saved, but the folder could not be
    // flushed"); empty when nothing.
    [[nodiscard]] const QString& warning() const { return m_warning; }

    // Each change saves the whole file, and the list changes only when that succeeded: once
    // the new file has replaced the old, the save is done. A failure throws an error naming
    // the file and leaves the file as it was. A file spoilt since it was read is kept as
    // "<file>.broken-<time>" rather than as the backup; one that cannot be read again, for an
    // I/O error, fails the save.
    void add(const PhraseTexts& phrase);
    void replace(std::size_t row, const PhraseTexts& phrase);
    void remove(std::size_t row);
    // Saves a kept copy's phrases as the file; the file before becomes the backup.
    void restore(const std::filesystem::path& copy);
    // The backup and the copies set aside beside it, the backup first, then the newest first.
    [[nodiscard]] std::vector<KeptCopy> keptCopies() const;

    // Why the writer would refuse the phrase as a row ("row too long for a page (4106 bytes,
    // at most 4060)"); none when it would take it.
    [[nodiscard]] static std::optional<QString> rowProblem(const PhraseTexts& phrase);

    // The phrases of a phrase file; throws std::runtime_error naming the file when it cannot be
    // read. A field the file lacks is empty.
    [[nodiscard]] static std::vector<PhraseTexts> read(const std::filesystem::path& file);

private:
    void lock();
    void checkLock();
    void save(const std::vector<PhraseTexts>& phrases);
    void keepBackup() const;
    [[nodiscard]] PhraseTable readTable(const std::filesystem::path& file) const;
    [[nodiscard]] bool readable(const std::filesystem::path& file) const;
    [[nodiscard]] std::filesystem::path asideName(const std::string& suffix) const;
    void secondName(const std::filesystem::path& file, const std::filesystem::path& name) const;
    [[nodiscard]] static std::vector<PhraseTexts> phrasesOf(const PhraseTable& table);
    [[nodiscard]] static QStringList unknownColumns(const PhraseTable& table);
    [[nodiscard]] static jet4::DatabaseWriter writerFor(const std::vector<PhraseTexts>& phrases);
    [[nodiscard]] std::size_t checkedRow(std::size_t row) const;

    std::filesystem::path m_path;
    std::shared_ptr<jet4::writing::FileSystem> m_files;
    FileLock m_lock;
    QString m_lockReason; // another copy has the lock, or it cannot be made
    QString m_fileReason; // the file itself cannot be edited here
    QString m_warning;
    std::vector<PhraseTexts> m_phrases;
};

} // namespace phrase_data
