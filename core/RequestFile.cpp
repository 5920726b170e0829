#include "core/RequestFile.h"

#include "core/FileFailure.h"
#include "core/RequestLines.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype ReadPiece = 1 << 20;

// The descriptor is open only while the file is read.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// Reads fd to its end; expected is the size known beforehand (0: unknown).
QByteArray readAll(int fd, qint64 expected, const RequestFile::Rules &rules)
{
    RequestLines lines(rules.lfEndsLine);
    QByteArray out;
    try {
        if (expected > 0)
            out.reserve(static_cast<qsizetype>(expected + (rules.unchanged ? 0 : expected / 16 + 2)));
        QByteArray buf(ReadPiece, Qt::Uninitialized);
        qint64 total = 0;
        for (;;) {
            ssize_t n;
            do
                n = ::read(fd, buf.data(), static_cast<size_t>(buf.size()));
            while (n < 0 && errno == EINTR);
            if (n < 0)
                throw FileFailure::fromErrno(errno);
            if (n == 0)
                break;
            total += n;
            if (total > rules.limit)
                throw FileFailure::tooLarge(rules.limit);
            const QByteArrayView piece(buf.constData(), n);
            if (rules.unchanged)
                out += piece;
            else
                out += lines.feed(piece);
        }
        if (!rules.unchanged)
            out += lines.finish();
    } catch (const std::bad_alloc &) {
        throw FileFailure::fromErrno(ENOMEM);
    }
    return out;
}

} // namespace

QByteArray RequestFile::load(const QString &path, bool lfEndsLine)
{
    Rules rules;
    rules.lfEndsLine = lfEndsLine;
    return load(path, rules);
}

QByteArray RequestFile::load(const QString &path, const Rules &rules)
{
    // Non-blocking, so that a FIFO cannot hang the program before we can see
    // that it is not a regular file.
    const Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd() < 0)
        throw FileFailure::fromErrno(errno);
    struct stat st
    {};
    if (::fstat(file.fd(), &st) != 0)
        throw FileFailure::fromErrno(errno);
    if (S_ISDIR(st.st_mode))
        throw FileFailure::fromErrno(EISDIR);
    if (!S_ISREG(st.st_mode))
        throw FileFailure::notRegularFile();
    // Refused before a byte is read or held: a sparse file of any size costs nothing.
    if (st.st_size > rules.limit)
        throw FileFailure::tooLarge(rules.limit);
    return readAll(file.fd(), st.st_size, rules);
}

QByteArray RequestFile::read(int fd, const Rules &rules)
{
    return readAll(fd, 0, rules);
}
