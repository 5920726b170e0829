#include "Loopback.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

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
