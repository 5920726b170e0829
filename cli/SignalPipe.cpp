#include "cli/SignalPipe.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_writeEnd = -1;
const int Handled[] = {SIGINT, SIGTERM};
char g_remove[PATH_MAX + 1];

void removeAndEnd(int signalNumber)
{
    ::unlink(g_remove);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}
} // namespace

void SignalPipe::removeOnSignal(const QByteArray &path)
{
    if (path.isEmpty() || path.size() > PATH_MAX)
        return;
    std::memcpy(g_remove, path.constData(), size_t(path.size()));
    g_remove[path.size()] = '\0';
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        ::signal(s, &removeAndEnd);
}

SignalPipe::SignalPipe(QObject *parent) : QObject(parent)
{
    if (::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default action: the program still ends
    g_writeEnd = m_fds[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalPipe::onReadable);
    struct sigaction sa
    {};
    sa.sa_handler = &SignalPipe::handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : Handled)
        ::sigaction(s, &sa, nullptr);
}

SignalPipe::~SignalPipe()
{
    for (int s : Handled)
        ::signal(s, SIG_DFL);
    g_writeEnd = -1;
    m_notifier.reset();
    for (int fd : m_fds)
        if (fd >= 0)
            ::close(fd);
}

void SignalPipe::handler(int signalNumber)
{
    const int saved = errno;
    const unsigned char b = static_cast<unsigned char>(signalNumber);
    if (g_writeEnd >= 0)
        (void)!::write(g_writeEnd, &b, 1);
    errno = saved;
}

void SignalPipe::onReadable()
{
    unsigned char b = 0;
    int last = 0;
    while (::read(m_fds[0], &b, 1) == 1)
        last = b;
    if (last)
        emit caught(last);
}
