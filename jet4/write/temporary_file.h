#pragma once

#include "file_system.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <sys/types.h>

namespace jet4::writing {

// A new file created beside its destination and renamed onto it only once it is complete, so
// that nobody ever sees a half-written destination, and flushed to the disk before and after
// the rename, so that a crash or power cut leaves either the old or the new destination, never
// an empty one. Until commit() succeeds, the destructor closes and removes the temporary file.
// Failures throw WriteError naming the destination. Making one first removes the temporaries
// of the same destination that writers which no longer run left behind (a writer killed with
// SIGKILL cannot clean up after itself). Every call on the file and its folder goes through
// files.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path destination,
                           std::shared_ptr<FileSystem> files = std::make_shared<FileSystem>());
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    // What every temporary file name for destination starts with.
    [[nodiscard]] static std::string namePrefix(const std::filesystem::path& destination);

    void write(std::span<const std::uint8_t> bytes);
    // The new file's permissions, in place of those the umask gives.
    void setMode(mode_t mode);
    // Flushes the file's bytes to the disk and closes it; replace() does this first if needed.
    void sync();
    // Renames the file onto the destination, replacing any file there. Once this returns, the
    // destination holds the new bytes.
    void replace();
    // Flushes the folder so that the rename itself lasts; what failed, or empty when it did not.
    [[nodiscard]] std::string flushFolder();
    // replace() and flushFolder(), a folder that cannot be flushed thrown as a failure.
    void commit();

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

private:
    [[noreturn]] void fail(const std::string& what, int error) const;

    std::shared_ptr<FileSystem> m_files;
    std::filesystem::path m_destination;
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace jet4::writing
