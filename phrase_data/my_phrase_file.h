#pragma once

#include "jet4/writer.h"
#include "language_field.h"
#include "phrase_texts.h"

#include <QLockFile>
#include <QString>
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
class MyPhraseFile {
public:
    static constexpr std::size_t MaxTextLength = jet4::DatabaseWriter::MaxTextLength;

    // What open() found when the file could not be read: it is moved aside, never written over.
    struct MovedAside {
        std::filesystem::path brokenFile; // where the unreadable file is now
        QString reason;                   // why it could not be read
        bool backupReadable = false;      // whether restoreBackup() can start from the backup
    };

    // <the user's data folder>/Tarvolyn/my.dsb, the same for the windows and the command line
    // whatever name the application gives itself.
    [[nodiscard]] static std::filesystem::path defaultPath();

    explicit MyPhraseFile(std::filesystem::path path);
    MyPhraseFile(const MyPhraseFile&) = delete;
    MyPhraseFile& operator=(const MyPhraseFile&) = delete;
    ~MyPhraseFile();

    // Takes the lock unless held (or, when another copy holds it, goes read-only, until an
    // open() after the other copy quit) and reads the file; a
    // missing file is an empty list. An unreadable file is moved aside when the lock is ours
    // (and reported); read-only, it throws instead. Throws std::runtime_error naming the file.
    [[nodiscard]] std::optional<MovedAside> open();

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] std::filesystem::path backupPath() const;
    [[nodiscard]] bool readOnly() const { return !m_readOnlyReason.isEmpty(); }
    // Why the file cannot be changed here; empty when it can.
    [[nodiscard]] const QString& readOnlyReason() const { return m_readOnlyReason; }
    [[nodiscard]] const std::vector<PhraseTexts>& phrases() const { return m_phrases; }

    // Each change saves the whole file, and the list changes only when that succeeded; a
    // failure throws an error naming the file and leaves the file as it was. A file spoilt since
    // it was read is kept as "<file>.broken-<time>" rather than as the backup.
    void add(const PhraseTexts& phrase);
    void replace(std::size_t row, const PhraseTexts& phrase);
    void remove(std::size_t row);
    // Saves the backup's phrases as the file (after open() moved an unreadable file aside).
    void restoreBackup();

    // The phrases of a phrase file; throws std::runtime_error naming the file when it cannot be
    // read. A field the file lacks is empty.
    [[nodiscard]] static std::vector<PhraseTexts> read(const std::filesystem::path& file);

private:
    void lock();
    void save(const std::vector<PhraseTexts>& phrases);
    void keepBackup() const;
    [[nodiscard]] std::filesystem::path brokenName() const;
    [[nodiscard]] static bool readable(const std::filesystem::path& file);
    static void secondName(const std::filesystem::path& file, const std::filesystem::path& name);
    void removeStaleTemporaryFiles() const;
    [[nodiscard]] std::size_t checkedRow(std::size_t row) const;

    std::filesystem::path m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_readOnlyReason;
    std::vector<PhraseTexts> m_phrases;
};

} // namespace phrase_data
