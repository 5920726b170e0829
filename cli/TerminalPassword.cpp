#include "cli/TerminalPassword.h"

#include "core/Failure.h"
#include "core/FailureNumber.h"
#include "core/TlsSetup.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(TerminalPassword)
};

constexpr int MaxPassword = 4096;

void writeText(int fd, const QString &text)
{
    const QByteArray b = text.toUtf8();
    qsizetype done = 0;
    while (done < b.size()) {
        const ssize_t n = ::write(fd, b.constData() + done, static_cast<size_t>(b.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

} // namespace

std::optional<QByteArray> TerminalPassword::ask(const QString &subject)
{
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw Failure{FailureNumber::TlsFile,
                      Texts::tr("パスワードを入力する端末がないため、%1 を使えません。").arg(subject)};
    termios saved{};
    const bool isTerminal = ::tcgetattr(fd, &saved) == 0;
    if (isTerminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    writeText(fd, Texts::tr("%1 のパスワード：").arg(subject));
    QByteArray password;
    bool ended = false;
    for (char c; password.size() < MaxPassword;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // Ctrl+D or a lost terminal: taken as cancelling
        if (c == '\n' || c == '\r') {
            ended = true;
            break;
        }
        password.append(c);
    }
    if (isTerminal)
        ::tcsetattr(fd, TCSAFLUSH, &saved);
    ::close(fd);
    if (!ended) {
        password.fill('\0');
        return std::nullopt;
    }
    return password;
}
