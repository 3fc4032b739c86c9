#include "file_page_source.h"

#include "parse_error.h"

#include <algorithm>
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

std::size_t FilePageSource::readAt(std::uint64_t offset, std::uint8_t* into, std::size_t length) const
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd.get(), into + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw ParseError(std::string("read error: ") + std::strerror(errno));
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void FilePageSource::dropReadAhead() const
{
    m_window.clear();
    m_windowOffset = 0;
}

std::span<const std::uint8_t> FilePageSource::read(std::uint64_t offset, std::size_t length,
                                                   std::vector<std::uint8_t>& scratch) const
{
    scratch.resize(length);
    const auto inWindow = [&] {
        return offset >= m_windowOffset && offset - m_windowOffset + length <= m_window.size();
    };
    const bool continues = offset == m_lastEnd || (!m_window.empty() && offset == m_windowOffset + m_window.size());
    if (!inWindow() && continues && length <= WindowBytes) {
        m_window.resize(WindowBytes);
        m_windowOffset = offset;
        m_window.resize(readAt(offset, m_window.data(), WindowBytes));
        m_lastEnd = offset + m_window.size();
    }
    if (inWindow()) {
        std::copy_n(m_window.begin() + static_cast<std::ptrdiff_t>(offset - m_windowOffset), length, scratch.begin());
        return scratch;
    }
    if (readAt(offset, scratch.data(), length) < length) throw FileTruncated();
    m_lastEnd = offset + length;
    return scratch;
}

} // namespace jet4
