#pragma once

#include "platform/Failure.h"
#include "platform/Utf8Stream.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>

// An event-driven TCP client with numeric state codes, over QTcpSocket.
// Text goes out and comes in as UTF-8 (the locale's encoding on Linux).
class Winsock : public QObject
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

    // Failure numbers of this layer; the README lists them with the rest.
    enum : qint32 {
        ErrPortRange = 102,
        ErrNotClosed = 103,
        ErrSocketBase = 200, // + QAbstractSocket::SocketError
    };

    explicit Winsock(QObject *parent = nullptr);

    void setRemoteHost(const QString &host);
    QString remoteHost() const { return m_host; }
    // Throws Failure for a port outside 1..65535.
    void setRemotePort(qint32 port);
    qint32 remotePort() const { return m_port; }
    // Returns at once; throws Failure when the socket is still in use.
    void connectToRemote();
    void sendData(const QString &text);
    // Everything waiting now, as text; removes it from the socket.
    QString getData();
    void close();
    int state() const;

signals:
    void connected();
    void sendComplete();
    void dataArrival(qint32 bytesTotal);
    void error(qint16 number, const QString &description);

private:
    void onStateChanged(QAbstractSocket::SocketState s);
    void onError(QAbstractSocket::SocketError e);
    void onBytesWritten(qint64 n);
    void onReadyRead();
    // Received bytes (or the start of a character) not yet handed out.
    bool hasUnread() const;

    QTcpSocket m_socket;
    Utf8Stream m_decoder;
    QString m_host;
    qint32 m_port = 0;
    qint64 m_toWrite = 0;
    bool m_peerClosed = false;
    quint32 m_generation = 0; // ties queued notices to the connection that raised them
};
