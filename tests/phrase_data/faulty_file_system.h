#pragma once

#include "jet4/write/file_system.h"

#include <array>
#include <cstddef>
#include <optional>
#include <set>

// The system's file calls, one of which can be made to fail with an error number, or the
// process killed outright at its nth call, to see what a save leaves on the disk.
class FaultyFileSystem : public jet4::writing::FileSystem {
public:
    // The steps of a save, as the calls show them.
    enum class Step {
        Create,     // the temporary file
        Write,      // its bytes
        SetMode,    // its permissions
        Sync,       // its fsync
        Close,      // its close
        OpenOld,    // the old file opened to be read again
        ReadOld,    // its bytes
        Link,       // the backup's second name
        KeepBackup, // the rename of the new backup onto the old
        Replace,    // the rename of the new file onto the old
        OpenFolder, // the folder opened to flush it
        SyncFolder, // the folder's fsync
        Count
    };

    // Fails the nth call (from 1) of the step with error from now on.
    void failAt(Step step, int error, int nth = 1);
    // Kills the process with SIGKILL when the nth call (from 1) of any step starts.
    void killAt(std::size_t nth) { m_killAt = nth; }
    [[nodiscard]] std::size_t calls() const { return m_calls; }
    [[nodiscard]] int failures() const { return m_failures; }

    int create(const std::filesystem::path& file, mode_t mode) override;
    ssize_t write(int fd, const std::uint8_t* bytes, std::size_t size) override;
    int fsync(int fd) override;
    int close(int fd) override;
    int fchmod(int fd, mode_t mode) override;
    int rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int link(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int openFolder(const std::filesystem::path& folder) override;
    int openForReading(const std::filesystem::path& file) override;
    ssize_t read(int fd, std::uint8_t* bytes, std::size_t size) override;

private:
    // Whether this call of the step fails (errno is then set).
    [[nodiscard]] bool fails(Step step);

    std::optional<Step> m_step;
    int m_error = 0;
    int m_nth = 0;
    std::array<int, std::size_t(Step::Count)> m_seen{};
    std::size_t m_killAt = 0;
    std::size_t m_calls = 0;
    int m_failures = 0;
    std::set<int> m_folders;
    std::set<int> m_reading;
};
