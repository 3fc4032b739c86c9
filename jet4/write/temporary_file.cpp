#include "temporary_file.h"

#include "write_error.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

namespace jet4::writing {

namespace {

// The process number in a name "PREFIX<pid>-<n>", or 0 when the name is not of that form.
pid_t writerOf(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix)) return 0;
    name.remove_prefix(prefix.size());
    pid_t pid = 0;
    const auto [dash, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || dash == name.data() + name.size() || *dash != '-') return 0;
    const std::string_view attempt(dash + 1, static_cast<std::size_t>(name.data() + name.size() - dash - 1));
    const bool digits =
        !attempt.empty() && std::all_of(attempt.begin(), attempt.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits ? pid : 0;
}

// A writer killed outright (SIGKILL, a crash, a power cut) leaves its temporary behind. Those of
// this destination whose process is gone are removed; one whose process number is in use again
// stays until that process ends, which costs a stray file at worst, never another's file.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix)
{
    std::error_code error;
    for (auto entry = std::filesystem::directory_iterator(folder, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const pid_t pid = writerOf(entry->path().filename().string(), prefix);
        if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) ::unlink(entry->path().c_str());
    }
}

} // namespace

TemporaryFile::TemporaryFile(std::filesystem::path destination, std::shared_ptr<FileSystem> files)
    : m_files(std::move(files))
    , m_destination(std::move(destination))
{
    std::filesystem::path folder = m_destination.parent_path();
    if (folder.empty()) folder = ".";
    // A hidden name in the same folder, so the final rename stays within one file system.
    const std::string prefix = namePrefix(m_destination);
    removeStaleTemporaries(folder, prefix);
    const std::string stem = prefix + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = folder / (stem + std::to_string(attempt));
        // 0666 lets the umask decide the final permissions, as for any other new file.
        m_fd = m_files->create(m_path, 0666);
        if (m_fd >= 0) return;
        if (errno != EEXIST) break;
    }
    const int error = errno;
    m_path.clear();
    fail("cannot create a file in " + folder.string(), error);
}

std::string TemporaryFile::namePrefix(const std::filesystem::path& destination)
{
    return "." + destination.filename().string() + ".tmp-";
}

TemporaryFile::~TemporaryFile()
{
    if (m_fd >= 0) static_cast<void>(m_files->close(m_fd));
    if (!m_committed && !m_path.empty()) static_cast<void>(m_files->unlink(m_path));
}

void TemporaryFile::fail(const std::string& what, int error) const
{
    throw WriteError(m_destination.string(), what + ": " + std::strerror(error));
}

void TemporaryFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = m_files->write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("cannot write", errno);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

void TemporaryFile::setMode(mode_t mode)
{
    if (m_files->fchmod(m_fd, mode) != 0) fail("cannot set the permissions", errno);
}

void TemporaryFile::sync()
{
    if (m_fd < 0) return;
    const int fd = m_fd;
    m_fd = -1;
    // Without the flush, a power cut soon after the rename can leave the destination empty.
    const bool flushed = m_files->fsync(fd) == 0;
    const int error = errno;
    if (m_files->close(fd) != 0 && flushed) fail("cannot write", errno);
    if (!flushed) fail("cannot write", error);
}

void TemporaryFile::replace()
{
    sync();
    if (m_files->rename(m_path, m_destination) != 0) fail("cannot replace the file", errno);
    m_committed = true;
}

std::string TemporaryFile::flushFolder()
{
    std::filesystem::path folder = m_destination.parent_path();
    if (folder.empty()) folder = ".";
    const int fd = m_files->openFolder(folder);
    if (fd < 0) return std::string("cannot open the folder to flush it: ") + std::strerror(errno);
    const bool flushed = m_files->fsync(fd) == 0;
    const int error = errno;
    static_cast<void>(m_files->close(fd));
    return flushed ? std::string() : std::string("cannot flush the folder: ") + std::strerror(error);
}

void TemporaryFile::commit()
{
    replace();
    if (const std::string failure = flushFolder(); !failure.empty()) throw WriteError(m_destination.string(), failure);
}

} // namespace jet4::writing
