#include "Loopback.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

LoopbackServer::LoopbackServer(Script script) : m_script(std::move(script))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = m_server.nextPendingConnection()) {
            ++connections;
            QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { received += s->peek(s->bytesAvailable()); });
            m_script(s, this);
        }
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

namespace Scripts {

namespace {
void sendPieces(QTcpSocket *s, QList<QByteArray> pieces)
{
    if (pieces.isEmpty()) {
        s->disconnectFromHost();
        return;
    }
    s->write(pieces.takeFirst());
    s->flush();
    QTimer::singleShot(20, s, [s, pieces] { sendPieces(s, pieces); });
}

// Runs f once the request's first bytes are in.
void onRequest(QTcpSocket *s, std::function<void()> f)
{
    auto fired = std::make_shared<bool>(false);
    QObject::connect(s, &QTcpSocket::readyRead, s, [s, f, fired] {
        if (*fired)
            return;
        *fired = true;
        s->readAll();
        f();
    });
}
} // namespace

LoopbackServer::Script answerAndClose(QList<QByteArray> pieces)
{
    return [pieces](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s, pieces] { sendPieces(s, pieces); }); };
}

LoopbackServer::Script answerAndKeepOpen(QByteArray answer)
{
    return [answer](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s, answer] { s->write(answer); }); };
}

LoopbackServer::Script closeWithoutSending()
{
    return [](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s] { s->disconnectFromHost(); }); };
}

LoopbackServer::Script neverAnswer()
{
    return [](QTcpSocket *, LoopbackServer *) {};
}

} // namespace Scripts

quint16 refusedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}

EofReadingServer::EofReadingServer()
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(m_listen, reinterpret_cast<sockaddr *>(&a), len) == 0 && ::listen(m_listen, 4) == 0
        && ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        m_port = ntohs(a.sin_port);
    m_thread = std::thread([this] { serve(); });
}

EofReadingServer::~EofReadingServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listen);
}

void EofReadingServer::serve()
{
    // Short polls, so the destructor is never kept waiting.
    const auto readable = [this](int fd) {
        pollfd p{fd, POLLIN, 0};
        while (!m_stop)
            if (::poll(&p, 1, 20) > 0)
                return true;
        return false;
    };
    while (readable(m_listen)) {
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        qint64 total = 0;
        char buf[4096];
        ssize_t n = 0;
        while (readable(fd) && (n = ::recv(fd, buf, sizeof buf, 0)) > 0)
            total += n;
        if (n == 0) {
            const QByteArray answer = "read " + QByteArray::number(total) + " bytes";
            (void)::send(fd, answer.constData(), size_t(answer.size()), MSG_NOSIGNAL);
        }
        ::close(fd);
    }
}
