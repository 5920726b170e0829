#include "core/OutputFile.h"

#include "core/FileFailure.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int PollMs = 50;
} // namespace

OutputFile::Kind OutputFile::kindOf(const QString &path)
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return Kind::Missing;
    if (S_ISREG(st.st_mode))
        return Kind::Regular;
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    if (S_ISFIFO(st.st_mode))
        return Kind::Fifo;
    if (S_ISCHR(st.st_mode))
        return Kind::CharDevice;
    if (S_ISBLK(st.st_mode))
        return Kind::BlockDevice;
    if (S_ISSOCK(st.st_mode))
        return Kind::Socket;
    return Kind::Other;
}

OutputFile::OutputFile(const QString &path, bool waitForReader)
{
    const Kind kind = kindOf(path);
    if (kind == Kind::Folder)
        throw FileFailure::fromErrno(EISDIR);
    if (kind != Kind::Missing && kind != Kind::Regular) {
        const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | (waitForReader ? 0 : O_NONBLOCK);
        do
            m_fd = ::open(QFile::encodeName(path).constData(), flags);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0)
            throw FileFailure::fromErrno(errno);
        return;
    }
    // The temporary file's name may fit where the final one does not: the
    // rename at the end would fail after everything was received.
    const QFileInfo info(path);
    const long nameMax = ::pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
    if (nameMax > 0 && QFile::encodeName(info.fileName()).size() > nameMax)
        throw FileFailure::fromErrno(ENAMETOOLONG);
    m_save = std::make_unique<QSaveFile>(path);
    // No direct-write fallback: a folder we cannot create a temporary file in
    // is a failure, not a reason to truncate the user's file in place.
    m_save->setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered, so that a full disk or a file size limit shows in the count
    // each write returns; QSaveFile::commit() can report success after a
    // buffered write has failed.
    if (!m_save->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int err = errno;
        m_save.reset();
        throw FileFailure::fromErrno(err);
    }
    m_fd = m_save->handle();
}

OutputFile::~OutputFile()
{
    if (m_save)
        m_save->cancelWriting(); // its destructor removes the temporary file
    else if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray OutputFile::temporaryPath() const
{
    if (!m_save)
        return QByteArray();
    char path[PATH_MAX];
    const ssize_t n = ::readlink(("/proc/self/fd/" + QByteArray::number(m_fd)).constData(), path, sizeof path);
    return n > 0 ? QByteArray(path, n) : QByteArray();
}

void OutputFile::write(QByteArrayView bytes, const std::function<void()> &between)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{m_fd, POLLOUT, 0};
            ::poll(&p, 1, PollMs);
            if (between)
                between();
            continue;
        }
        throw FileFailure::fromErrno(n < 0 ? errno : EIO);
    }
}

void OutputFile::commit()
{
    if (!m_save)
        return;
    errno = 0;
    const bool ok = m_save->error() == QFileDevice::NoError && m_save->commit();
    const int err = errno;
    m_save.reset();
    m_fd = -1;
    if (!ok)
        throw FileFailure::fromErrno(err);
}
