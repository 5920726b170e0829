#include "cli/RequestInput.h"

#include "core/FileFailure.h"
#include "core/RequestFile.h"
#include "core/RequestLines.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype ReadPiece = 1 << 20;

// Everything until the end; standard input may be a pipe or a terminal.
QByteArray readToEnd(int fd)
{
    QByteArray out;
    QByteArray buf(ReadPiece, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(fd, buf.data(), static_cast<size_t>(buf.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileFailure::fromErrno(errno);
        if (n == 0)
            return out;
        out.append(buf.constData(), n);
    }
}

// A binary request file follows the same rules as a line-read one: a regular
// file, opened without blocking so a FIFO cannot hang us.
QByteArray readFileUnchanged(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileFailure::fromErrno(errno);
    struct stat st {};
    try {
        if (::fstat(fd, &st) != 0)
            throw FileFailure::fromErrno(errno);
        if (S_ISDIR(st.st_mode))
            throw FileFailure::fromErrno(EISDIR);
        if (!S_ISREG(st.st_mode))
            throw FileFailure::notRegularFile();
        QByteArray out = readToEnd(fd);
        ::close(fd);
        return out;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

} // namespace

QByteArray RequestInput::read(const QString &path, bool fromStdin, bool binary, bool lfEndsLine)
{
    if (!fromStdin)
        return binary ? readFileUnchanged(path) : RequestFile::load(path, lfEndsLine);
    const QByteArray bytes = readToEnd(STDIN_FILENO);
    if (binary)
        return bytes;
    RequestLines lines(lfEndsLine);
    QByteArray out = lines.feed(bytes);
    out += lines.finish(); // after feed: the operands of + may be evaluated in either order
    return out;
}
