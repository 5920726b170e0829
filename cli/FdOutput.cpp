#include "cli/FdOutput.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {
// A descriptor left non-blocking by whoever started us is waited for, but not for ever.
constexpr int BlockedWaitMs = 60 * 1000;
} // namespace

int FdOutput::writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, BlockedWaitMs) > 0)
                continue;
            return EAGAIN;
        }
        return n < 0 ? errno : EIO;
    }
    return 0;
}

void FdOutput::say(const QString &line)
{
    writeAll(STDERR_FILENO, (line + QLatin1Char('\n')).toUtf8());
}
