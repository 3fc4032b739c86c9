#include "file_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet4::writing {

int FileSystem::create(const std::filesystem::path& file, mode_t mode)
{
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

ssize_t FileSystem::write(int fd, const std::uint8_t* bytes, std::size_t size)
{
    return ::write(fd, bytes, size);
}

int FileSystem::fsync(int fd)
{
    return ::fsync(fd);
}

int FileSystem::close(int fd)
{
    return ::close(fd);
}

int FileSystem::fchmod(int fd, mode_t mode)
{
    return ::fchmod(fd, mode);
}

int FileSystem::rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return ::rename(from.c_str(), to.c_str());
}

int FileSystem::link(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return ::link(from.c_str(), to.c_str());
}

int FileSystem::unlink(const std::filesystem::path& file)
{
    return ::unlink(file.c_str());
}

int FileSystem::openFolder(const std::filesystem::path& folder)
{
    return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int FileSystem::openForReading(const std::filesystem::path& file)
{
    return ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
}

ssize_t FileSystem::read(int fd, std::uint8_t* bytes, std::size_t size)
{
    return ::read(fd, bytes, size);
}

int FileSystem::readAll(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    const int fd = openForReading(file);
    if (fd < 0) return errno;
    int error = 0;
    constexpr std::size_t Chunk = std::size_t{64} * 1024;
    for (;;) {
        const std::size_t size = bytes.size();
        bytes.resize(size + Chunk);
        const ssize_t got = read(fd, bytes.data() + size, Chunk);
        if (got < 0 && errno == EINTR) {
            bytes.resize(size);
            continue;
        }
        bytes.resize(got < 0 ? size : size + static_cast<std::size_t>(got));
        if (got < 0) error = errno;
        if (got <= 0) break;
    }
    static_cast<void>(close(fd));
    return error;
}

} // namespace jet4::writing
