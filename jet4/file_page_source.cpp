#include "file_page_source.h"

#include "parse_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet4 {

namespace {

[[noreturn]] void failOpen(int error)
{
    throw ParseError(std::string("cannot open: ") + std::strerror(error));
}

} // namespace

FilePageSource::FilePageSource(const std::filesystem::path& path)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused right after.
    m_fd = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!m_fd.isOpen()) failOpen(errno);
    struct stat info {};
    if (::fstat(m_fd.get(), &info) != 0) failOpen(errno);
    if (S_ISDIR(info.st_mode)) failOpen(EISDIR);
    if (!S_ISREG(info.st_mode)) throw ParseError("cannot open: not a regular file");
    m_size = static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t FilePageSource::size() const
{
    return m_size;
}

std::span<const std::uint8_t> FilePageSource::read(std::uint64_t offset, std::size_t length,
                                                   std::vector<std::uint8_t>& scratch) const
{
    scratch.resize(length);
    std::size_t done = 0;
    while (done < scratch.size()) {
        const ssize_t got =
            ::pread(m_fd.get(), scratch.data() + done, scratch.size() - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw ParseError(std::string("read error: ") + std::strerror(errno));
        }
        if (got == 0) throw FileTruncated();
        done += static_cast<std::size_t>(got);
    }
    return scratch;
}

} // namespace jet4
