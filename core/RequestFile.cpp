#include "core/RequestFile.h"

#include "core/FileFailure.h"
#include "core/RequestLines.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
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

} // namespace

QByteArray RequestFile::load(const QString &path, bool lfEndsLine)
{
    // Non-blocking, so that a FIFO cannot hang the program before we can see
    // that it is not a regular file.
    const Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd() < 0)
        throw FileFailure::fromErrno(errno);
    struct stat st {};
    if (::fstat(file.fd(), &st) != 0)
        throw FileFailure::fromErrno(errno);
    if (S_ISDIR(st.st_mode))
        throw FileFailure::fromErrno(EISDIR);
    if (!S_ISREG(st.st_mode))
        throw FileFailure::notRegularFile();

    RequestLines lines(lfEndsLine);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(st.st_size) + st.st_size / 16 + 2);
    QByteArray buf(ReadPiece, Qt::Uninitialized);
    for (;;) {
        ssize_t n;
        do
            n = ::read(file.fd(), buf.data(), static_cast<size_t>(buf.size()));
        while (n < 0 && errno == EINTR);
        if (n < 0)
            throw FileFailure::fromErrno(errno);
        if (n == 0)
            break;
        out += lines.feed(QByteArrayView(buf.constData(), n));
    }
    out += lines.finish();
    return out;
}
