#pragma once

#include <QString>
#include <filesystem>

namespace phrase_data {

// A lock file that keeps a second running copy from editing a file: an flock() on
// "<file>.lock", which the system lets go of when the process ends however it ends, so that a
// copy killed at any moment, even while making the lock file, never leaves a stale lock. The
// file holds the owner's process number, for the message of the copy that is kept out.
class FileLock {
public:
    explicit FileLock(std::filesystem::path lockFile);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Takes the lock unless held(); empty when it is ours, else why it cannot be had ("another
    // copy of the program (process 1234) is editing it").
    [[nodiscard]] QString take();
    // Whether the lock is ours and its file is still the one at the lock's name (not removed
    // with its folder, nor replaced).
    [[nodiscard]] bool held() const;
    void release();

private:
    [[nodiscard]] static QString ownerOf(int fd);

    std::filesystem::path m_file;
    int m_fd = -1;
};

} // namespace phrase_data
