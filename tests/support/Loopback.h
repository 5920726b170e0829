#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <functional>

class QTcpSocket;

// A loopback server whose behaviour for each connection is a script.
class LoopbackServer : public QObject
{
public:
    using Script = std::function<void(QTcpSocket *, LoopbackServer *)>;
    explicit LoopbackServer(Script script, const QHostAddress &at = QHostAddress::LocalHost);
    quint16 port() const { return m_server.serverPort(); }
    QByteArray received; // every byte received, over all connections
    int connections = 0;

private:
    QTcpServer m_server;
    Script m_script;
};

// Scripts for common servers.
namespace Scripts {
// Waits for the first bytes, sends each piece in turn (one event-loop turn
// apart), then closes.
LoopbackServer::Script answerAndClose(const QList<QByteArray> &pieces);
LoopbackServer::Script answerAndKeepOpen(const QByteArray &answer);
LoopbackServer::Script closeWithoutSending();
LoopbackServer::Script neverAnswer();
// Like a service under `nc -N`: reads to the end of its input, then answers
// "read N bytes" and closes.
LoopbackServer::Script answerAtEndOfInput();
}

// A port that nothing listens on.
quint16 refusedPort();
