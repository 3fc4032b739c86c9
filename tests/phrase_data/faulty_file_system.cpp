#include "faulty_file_system.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

void FaultyFileSystem::failAt(Step step, int error, int nth)
{
    m_step = step;
    m_error = error;
    m_nth = nth;
    m_seen.fill(0);
}

bool FaultyFileSystem::fails(Step step)
{
    if (++m_calls == m_killAt) ::kill(::getpid(), SIGKILL);
    if (++m_seen[std::size_t(step)] != m_nth || m_step != step) return false;
    ++m_failures;
    errno = m_error;
    return true;
}

int FaultyFileSystem::create(const std::filesystem::path& file, mode_t mode)
{
    return fails(Step::Create) ? -1 : FileSystem::create(file, mode);
}

ssize_t FaultyFileSystem::write(int fd, const std::uint8_t* bytes, std::size_t size)
{
    return fails(Step::Write) ? -1 : FileSystem::write(fd, bytes, size);
}

int FaultyFileSystem::fsync(int fd)
{
    return fails(m_folders.contains(fd) ? Step::SyncFolder : Step::Sync) ? -1 : FileSystem::fsync(fd);
}

int FaultyFileSystem::close(int fd)
{
    // A close that fails has still closed the file.
    const bool folder = m_folders.erase(fd) != 0;
    const bool reading = m_reading.erase(fd) != 0;
    const int closed = FileSystem::close(fd);
    if (!folder && !reading && fails(Step::Close)) return -1;
    return closed;
}

int FaultyFileSystem::fchmod(int fd, mode_t mode)
{
    return fails(Step::SetMode) ? -1 : FileSystem::fchmod(fd, mode);
}

int FaultyFileSystem::rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    const bool backup = to.extension() == ".bak";
    return fails(backup ? Step::KeepBackup : Step::Replace) ? -1 : FileSystem::rename(from, to);
}

int FaultyFileSystem::link(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return fails(Step::Link) ? -1 : FileSystem::link(from, to);
}

int FaultyFileSystem::openFolder(const std::filesystem::path& folder)
{
    if (fails(Step::OpenFolder)) return -1;
    const int fd = FileSystem::openFolder(folder);
    if (fd >= 0) m_folders.insert(fd);
    return fd;
}

int FaultyFileSystem::openForReading(const std::filesystem::path& file)
{
    if (fails(Step::OpenOld)) return -1;
    const int fd = FileSystem::openForReading(file);
    if (fd >= 0) m_reading.insert(fd);
    return fd;
}

ssize_t FaultyFileSystem::read(int fd, std::uint8_t* bytes, std::size_t size)
{
    return fails(Step::ReadOld) ? -1 : FileSystem::read(fd, bytes, size);
}
