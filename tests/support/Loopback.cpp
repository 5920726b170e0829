#include "Loopback.h"

#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

LoopbackServer::LoopbackServer(Script script, const QHostAddress &at) : m_script(std::move(script))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = m_server.nextPendingConnection()) {
            ++connections;
            QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { received += s->peek(s->bytesAvailable()); });
            m_script(s, this);
        }
    });
    m_server.listen(at, 0);
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
void onRequest(QTcpSocket *s, const std::function<void()> &f)
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

LoopbackServer::Script answerAndClose(const QList<QByteArray> &pieces)
{
    return [pieces](QTcpSocket *s, LoopbackServer *) { onRequest(s, [s, pieces] { sendPieces(s, pieces); }); };
}

LoopbackServer::Script answerAndKeepOpen(const QByteArray &answer)
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

LoopbackServer::Script answerAtEndOfInput()
{
    // Qt's sockets close at the end of their input, so the connection is
    // served on a descriptor of its own (closing Qt's leaves it open).
    return [](QTcpSocket *s, LoopbackServer *server) {
        const int fd = ::dup(static_cast<int>(s->socketDescriptor()));
        s->abort();
        auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, s);
        auto read = std::make_shared<qint64>(0);
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, fd, read, server] {
            char buf[4096];
            const ssize_t got = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
            if (got > 0 || (got < 0 && errno == EAGAIN)) {
                *read += qMax<ssize_t>(got, 0);
                server->received += QByteArray(buf, qMax<ssize_t>(got, 0));
                return;
            }
            const QByteArray answer = "read " + QByteArray::number(*read) + " bytes";
            (void)::send(fd, answer.constData(), size_t(answer.size()), MSG_NOSIGNAL);
            notifier->setEnabled(false);
            ::close(fd);
        });
    };
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
