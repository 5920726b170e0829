#include "core/ProcessStart.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool isClosed(int fd)
{
    return ::fcntl(fd, F_GETFD) == -1 && errno == EBADF;
}

// The lowest free number is taken, and the ones below are open by now.
void fill(int fd)
{
    const int got = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (got >= 0 && got != fd) {
        ::dup2(got, fd);
        ::close(got);
    }
}

} // namespace

ProcessStart::Closed ProcessStart::prepare()
{
    Closed closed;
    bool *const flags[] = {&closed.input, &closed.output, &closed.error};
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (isClosed(fd)) {
            *flags[fd] = true;
            fill(fd);
        }
    }
    ::signal(SIGXFSZ, SIG_IGN);
    return closed;
}
