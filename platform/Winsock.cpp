#include "platform/Winsock.h"

#include <QMetaObject>

Winsock::Winsock(QObject *parent) : QObject(parent)
{
    connect(&m_socket, &QTcpSocket::stateChanged, this, &Winsock::onStateChanged);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &Winsock::onError);
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &Winsock::onBytesWritten);
    connect(&m_socket, &QTcpSocket::readyRead, this, &Winsock::onReadyRead);
    connect(&m_socket, &QTcpSocket::connected, this, &Winsock::connected);
}

void Winsock::setRemoteHost(const QString &host)
{
    m_host = host;
}

void Winsock::setRemotePort(qint32 port)
{
    if (port < 1 || port > 65535)
        throw Failure{ErrPortRange, QStringLiteral("ポート番号は1から65535の範囲で指定して下さい。")};
    m_port = port;
}

void Winsock::connectToRemote()
{
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        throw Failure{ErrNotClosed, QStringLiteral("ソケットが閉じられていないため接続できません。")};
    ++m_generation;
    m_decoder.reset();
    m_peerClosed = false;
    m_toWrite = 0;
    m_socket.connectToHost(m_host, static_cast<quint16>(m_port));
}

void Winsock::sendData(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    m_toWrite += bytes.size();
    m_socket.write(bytes);
}

QString Winsock::getData()
{
    QString text = m_decoder.decode(m_socket.readAll());
    if (m_peerClosed)
        text += m_decoder.finish();
    return text;
}

void Winsock::close()
{
    ++m_generation; // notices still queued for this connection are dropped
    m_peerClosed = false;
    m_toWrite = 0;
    m_decoder.reset();
    m_socket.abort();
}

int Winsock::state() const
{
    switch (m_socket.state()) {
    case QAbstractSocket::HostLookupState:
        return Resolving;
    case QAbstractSocket::ConnectingState:
        return Connecting;
    case QAbstractSocket::ConnectedState:
    case QAbstractSocket::ClosingState:
        return Connected;
    default:
        break;
    }
    if (!m_peerClosed)
        return Closed;
    // Closing only once every received byte has been handed out, so that no
    // data arrives after the close has been seen.
    return hasUnread() ? Connected : Closing;
}

bool Winsock::hasUnread() const
{
    return m_socket.bytesAvailable() > 0 || m_decoder.holdsPartial();
}

void Winsock::onStateChanged(QAbstractSocket::SocketState s)
{
    if (s != QAbstractSocket::UnconnectedState || !m_peerClosed)
        return;
    if (hasUnread()) {
        const quint32 gen = m_generation;
        QMetaObject::invokeMethod(
            this,
            [this, gen] {
                if (gen == m_generation && hasUnread())
                    emit dataArrival(static_cast<qint32>(m_socket.bytesAvailable()));
            },
            Qt::QueuedConnection);
    }
}

void Winsock::onError(QAbstractSocket::SocketError e)
{
    if (e == QAbstractSocket::RemoteHostClosedError) {
        // The peer's ordinary close: the end of a response, not a failure.
        m_peerClosed = true;
        return;
    }
    const qint16 number = static_cast<qint16>(ErrSocketBase + static_cast<int>(e));
    const QString description = m_socket.errorString();
    const quint32 gen = m_generation;
    // Delivered from the event loop rather than from inside QTcpSocket, so the
    // handler may close the socket and open a modal box safely.
    QMetaObject::invokeMethod(
        this,
        [this, gen, number, description] {
            if (gen == m_generation)
                emit error(number, description);
        },
        Qt::QueuedConnection);
}

void Winsock::onBytesWritten(qint64 n)
{
    if (m_toWrite <= 0)
        return;
    m_toWrite -= n;
    if (m_toWrite <= 0) {
        m_toWrite = 0;
        emit sendComplete();
    }
}

void Winsock::onReadyRead()
{
    emit dataArrival(static_cast<qint32>(qMin<qint64>(m_socket.bytesAvailable(), INT_MAX)));
}
