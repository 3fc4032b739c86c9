#include "temporary_file.h"

#include "write_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace jet4::writing {

TemporaryFile::TemporaryFile(std::filesystem::path destination)
    : m_destination(std::move(destination))
{
    std::filesystem::path folder = m_destination.parent_path();
    if (folder.empty()) folder = ".";
    // A hidden name in the same folder, so the final rename stays within one file system.
    const std::string stem = "." + m_destination.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = folder / (stem + std::to_string(attempt));
        // 0666 lets the umask decide the final permissions, as for any other new file.
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) return;
        if (errno != EEXIST) break;
    }
    const int error = errno;
    m_path.clear();
    fail("cannot create a file in " + folder.string(), error);
}

TemporaryFile::~TemporaryFile()
{
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_path.empty()) ::unlink(m_path.c_str());
}

void TemporaryFile::fail(const std::string& what, int error) const
{
    throw WriteError(m_destination.string(), what + ": " + std::strerror(error));
}

void TemporaryFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("cannot write", errno);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

void TemporaryFile::commit()
{
    // The data files are build products that can always be made again, so we skip fsync: the
    // rename alone already guarantees that an interrupted build leaves no partial file behind.
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) fail("cannot write", errno);
    if (::rename(m_path.c_str(), m_destination.c_str()) != 0) fail("cannot replace the file", errno);
    m_committed = true;
}

} // namespace jet4::writing
