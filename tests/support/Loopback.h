#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <atomic>
#include <functional>
#include <thread>

class QTcpSocket;

// A loopback server whose behaviour for each connection is a script.
class LoopbackServer : public QObject
{
public:
    using Script = std::function<void(QTcpSocket *, LoopbackServer *)>;
    explicit LoopbackServer(Script script);
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
LoopbackServer::Script answerAndClose(QList<QByteArray> pieces);
LoopbackServer::Script answerAndKeepOpen(QByteArray answer);
LoopbackServer::Script closeWithoutSending();
LoopbackServer::Script neverAnswer();
}

// A port that nothing listens on.
quint16 refusedPort();

// A server that, like a service run under `nc -N`, reads each connection to
// the end of its input before it answers: it sends "read N bytes" and closes.
// Qt's sockets close on the end of input, so it runs on plain sockets in a
// thread of its own.
class EofReadingServer
{
public:
    EofReadingServer();
    ~EofReadingServer();
    quint16 port() const { return m_port; }

private:
    void serve();
    int m_listen = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
