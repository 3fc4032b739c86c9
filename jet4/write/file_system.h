#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sys/types.h>
#include <vector>

namespace jet4::writing {

// The system calls a safe save makes, each as the system makes it: -1 (or an error number)
// with errno set when it fails. A test derives from it and fails any one call to see that the
// save reports what is on the disk.
class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    // A new file for writing (O_EXCL), with mode before the umask.
    [[nodiscard]] virtual int create(const std::filesystem::path& file, mode_t mode);
    [[nodiscard]] virtual ssize_t write(int fd, const std::uint8_t* bytes, std::size_t size);
    [[nodiscard]] virtual int fsync(int fd);
    [[nodiscard]] virtual int close(int fd);
    [[nodiscard]] virtual int fchmod(int fd, mode_t mode);
    [[nodiscard]] virtual int rename(const std::filesystem::path& from, const std::filesystem::path& to);
    [[nodiscard]] virtual int link(const std::filesystem::path& from, const std::filesystem::path& to);
    [[nodiscard]] virtual int unlink(const std::filesystem::path& file);
    // A folder opened to be flushed with fsync().
    [[nodiscard]] virtual int openFolder(const std::filesystem::path& folder);
    [[nodiscard]] virtual int openForReading(const std::filesystem::path& file);
    [[nodiscard]] virtual ssize_t read(int fd, std::uint8_t* bytes, std::size_t size);

    // The whole file through openForReading() and read(): 0, or the error number of the call
    // that failed.
    [[nodiscard]] int readAll(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes);
};

} // namespace jet4::writing
