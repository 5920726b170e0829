#pragma once

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
    // encrypted() tells when the request may go.
    void connectTo(const QString &host, qint32 port, const std::optional<QSslConfiguration> &tls);
    void write(const QByteArray &bytes);
    // Everything waiting now, at most max bytes; removes it from the socket.
    QByteArray read(qint64 max);
    // Reads up to max bytes into to; returns how many.
    qint64 read(char *to, qint64 max);
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
    void connected();
    void encrypted();
    void sendComplete();
    void dataArrival();
    void error(qint32 number, const QString &description);

private:
    void onStateChanged(QAbstractSocket::SocketState s);
    void onError(QAbstractSocket::SocketError e);
    void onBytesWritten(qint64 n);
    void onReadyRead();
    void onSslErrors(const QList<QSslError> &errors);
    void reportLater(qint32 number, const QString &description);
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
    // A second descriptor of the connection: Qt closes its own when it reads
    // the end of the stream, and only the connection's state tells a reset
    // from an ordinary close.
    int m_watch = -1;
    QList<QSslError> m_verifyErrors;
    QSslConfiguration m_sessionAtErrors;
    quint32 m_generation = 0; // ties queued notices to the connection that raised them
};
