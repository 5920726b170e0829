#pragma once

#include "core/HttpTunnel.h"
#include "core/ProxySettings.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>
#include <QString>
#include <optional>

// An event-driven TCP client with numeric state codes, over QSslSocket, which
// speaks plain TCP unless asked for TLS. Bytes go out and come in unchanged.
class Transport : public QObject
{
    Q_OBJECT
public:
    enum StateCode : int {
        Closed = 0,
        Resolving = 4,
        Connecting = 6,
        Connected = 7,
        Closing = 8, // the peer has closed its side; the socket is not closed yet
    };

    explicit Transport(QObject *parent = nullptr);
    ~Transport() override;

    // Returns at once. Throws Failure for a port outside 1..65535 or a socket
    // still in use. With tls set, the handshake follows the connection and
    // encrypted() tells when the request may go. Through a proxy, connected()
    // tells that the tunnel to host:port is open; TLS runs inside it, for host.
    void connectTo(const QString &host, qint32 port, const std::optional<QSslConfiguration> &tls,
                   const ProxySettings &proxy = {});
    void write(const QByteArray &bytes);
    // Shuts down the writing side of the connection (the server reads the end
    // of its input); reading goes on.
    void shutdownWrite();
    // Everything waiting now, at most max bytes; removes it from the socket.
    QByteArray read(qint64 max);
    // The same into a caller's buffer; returns the count read.
    qint64 read(char *into, qint64 max);
    qint64 bytesAvailable() const { return m_socket.bytesAvailable(); }
    void close();
    StateCode state() const;

    // The TLS session of the current connection, and what verification found
    // (also when verification was off and the errors were ignored).
    QSslConfiguration sessionConfiguration() const { return m_socket.sslConfiguration(); }
    QList<QSslError> verifyErrors() const { return m_verifyErrors; }
    // The session as it stood when verification found its errors: the
    // certificate chain of a server that was refused.
    QSslConfiguration sessionAtErrors() const { return m_sessionAtErrors; }

    // A connection timed out: the socket's own failure, reported like the others.
    void failConnectTimeout();

signals:
    void resolved();
    // The connection to an HTTP proxy is up; the tunnel is being asked for.
    void proxyConnected();
    void connected();
    void encrypted();
    void sendComplete();
    void dataArrival();
    // The peer closed its side in the ordinary way; state() says Closing once
    // every received byte has been taken.
    void peerClosed();
    void error(qint32 number, const QString &description);

private:
    void onStateChanged(QAbstractSocket::SocketState s);
    void onError(QAbstractSocket::SocketError e);
    void onBytesWritten(qint64 n);
    void onReadyRead();
    void onSslErrors(const QList<QSslError> &errors);
    void readTunnel();
    void failTunnel(const Failure &f);
    // A failure before a proxy's tunnel opened, in the proxy's terms.
    std::optional<Failure> proxyFailure(QAbstractSocket::SocketError e);
    void reportLater(qint32 number, const QString &description);
    void notePeerClosed();
    bool peerReset() const;
    void dropWatch();

    QSslSocket m_socket;
    bool m_tls = false;
    bool m_verify = true;
    QString m_host;
    qint64 m_toWrite = 0;
    bool m_peerClosed = false;
    bool m_reset = false;
    bool m_failed = false;  // a failure is on its way to the receiver
    bool m_tcpUp = false;   // the TCP connection was made
    bool m_closing = false; // we are closing the socket ourselves
    ProxySettings m_proxy;
    HttpTunnel m_tunnel;
    QByteArray m_connectRequest;
    QString m_destination;     // host:port, as proxy failures name it
    bool m_lookedUp = false;   // the socket got past its own name lookup
    bool m_proxyUp = false;    // the connection to an HTTP proxy was made
    bool m_halfClosed = false; // we shut down our writing side
    // A second descriptor of the connection: Qt closes its own when it reads
    // the end of the stream, and only the connection's state tells a reset
    // from an ordinary close.
    int m_watch = -1;
    QList<QSslError> m_verifyErrors;
    QSslConfiguration m_sessionAtErrors;
    quint32 m_generation = 0; // ties queued notices to the connection that raised them
};
