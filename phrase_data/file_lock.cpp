#include "file_lock.h"

#include <QByteArray>
#include <QList>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace phrase_data {

namespace {

bool sameFile(int fd, const std::filesystem::path& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(std::filesystem::path lockFile)
    : m_file(std::move(lockFile))
{
}

FileLock::~FileLock()
{
    release();
}

void FileLock::release()
{
    // The file stays: removing it would let a copy that opened it a moment ago lock a file
    // that no longer has a name, beside a new one that a third copy locks too.
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

bool FileLock::held() const
{
    return m_fd >= 0 && sameFile(m_fd, m_file);
}

QString FileLock::take()
{
    if (held()) return {};
    release();
    const QString name = QString::fromStdString(m_file.string());
    // Twice at most: once more after an empty folder in its place went, or its file was
    // replaced between opening and locking it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(m_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            const int error = errno;
            // A folder of that name holds no owner: an empty one goes.
            if (error == EISDIR && ::rmdir(m_file.c_str()) == 0) continue;
            if (error == EISDIR) return QStringLiteral("its lock file %1 is a folder").arg(name);
            return QStringLiteral("cannot make its lock file %1: %2")
                .arg(name, QString::fromLocal8Bit(std::strerror(error)));
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            const QString owner = ownerOf(fd);
            ::close(fd);
            if (error != EWOULDBLOCK)
                return QStringLiteral("cannot lock %1: %2").arg(name, QString::fromLocal8Bit(std::strerror(error)));
            return owner.isEmpty()
                       ? QStringLiteral("another copy of the program is editing it")
                       : QStringLiteral("another copy of the program (process %1) is editing it").arg(owner);
        }
        if (!sameFile(fd, m_file)) {
            ::close(fd);
            continue;
        }
        // The process number is only for the other copy's message: the lock holds without it.
        const std::string pid = std::to_string(::getpid()) + "\n";
        const bool noted = ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) == ssize_t(pid.size());
        static_cast<void>(noted);
        m_fd = fd;
        return {};
    }
    return QStringLiteral("cannot make its lock file %1").arg(name);
}

QString FileLock::ownerOf(int fd)
{
    char text[32] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    if (got <= 0) return {};
    bool ok = false;
    const qint64 pid = QByteArray(text, int(got)).split('\n').front().trimmed().toLongLong(&ok);
    return ok && pid > 0 ? QString::number(pid) : QString();
}

} // namespace phrase_data
