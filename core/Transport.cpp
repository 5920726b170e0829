#include "core/Transport.h"

#include "core/Failure.h"
#include "core/FailureNumber.h"
#include "core/PortText.h"
#include "core/TlsSetup.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Bounds the bytes taken from the kernel in one turn of the event loop, so a
// flood cannot starve the window.
constexpr qint64 ReadBuffer = 1 << 20;
} // namespace

Transport::Transport(QObject *parent) : QObject(parent)
{
    m_socket.setReadBufferSize(ReadBuffer);
    connect(&m_socket, &QSslSocket::stateChanged, this, &Transport::onStateChanged);
    connect(&m_socket, &QSslSocket::errorOccurred, this, &Transport::onError);
    connect(&m_socket, &QSslSocket::bytesWritten, this, &Transport::onBytesWritten);
    connect(&m_socket, &QSslSocket::readyRead, this, &Transport::onReadyRead);
    connect(&m_socket, &QSslSocket::connected, this, [this] {
        m_tcpUp = true;
        dropWatch();
        m_watch = ::fcntl(static_cast<int>(m_socket.socketDescriptor()), F_DUPFD_CLOEXEC, 0);
        emit connected();
    });
    connect(&m_socket, &QSslSocket::encrypted, this, &Transport::encrypted);
    connect(&m_socket, &QSslSocket::sslErrors, this, &Transport::onSslErrors);
    connect(&m_socket, &QSslSocket::handshakeInterruptedOnError, this,
            [this](const QSslError &e) { onSslErrors({e}); });
}

Transport::~Transport()
{
    dropWatch();
}

void Transport::connectTo(const QString &host, qint32 port, const std::optional<QSslConfiguration> &tls)
{
    if (port < 1 || port > 65535)
        throw PortText::rangeFailure();
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        throw Failure{FailureNumber::SocketNotClosed, QStringLiteral("ソケットが閉じられていないため接続できません。")};
    ++m_generation;
    m_peerClosed = false;
    m_reset = false;
    m_failed = false;
    m_tcpUp = false;
    m_toWrite = 0;
    m_verifyErrors.clear();
    m_host = host;
    m_tls = tls.has_value();
    if (!m_tls) {
        m_socket.setSslConfiguration(QSslConfiguration::defaultConfiguration());
        m_socket.connectToHost(host, static_cast<quint16>(port));
        return;
    }
    QSslConfiguration c = *tls;
    // Verification always runs, so that with it switched off we can still say
    // what it would have found; the errors are then ignored.
    m_verify = c.peerVerifyMode() == QSslSocket::VerifyPeer;
    c.setPeerVerifyMode(QSslSocket::VerifyPeer);
    m_socket.setSslConfiguration(c);
    m_socket.connectToHostEncrypted(host, static_cast<quint16>(port));
}

void Transport::write(const QByteArray &bytes)
{
    m_toWrite += bytes.size();
    m_socket.write(bytes);
}

QByteArray Transport::read(qint64 max)
{
    return m_socket.read(qMin(max, m_socket.bytesAvailable()));
}

qint64 Transport::read(char *to, qint64 max)
{
    return qMax<qint64>(0, m_socket.read(to, qMin(max, m_socket.bytesAvailable())));
}

void Transport::close()
{
    ++m_generation; // notices still queued for this connection are dropped
    m_closing = true;
    m_socket.abort();
    m_closing = false;
    m_peerClosed = false;
    m_toWrite = 0;
    dropWatch();
}

Transport::StateCode Transport::state() const
{
    // Closing only once every received byte has been taken, so that no data
    // arrives after the close has been seen. (After a TLS close_notify Qt's
    // socket may still call itself connected.)
    if (m_peerClosed)
        return m_socket.bytesAvailable() > 0 ? Connected : Closing;
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
    return Closed;
}

void Transport::failConnectTimeout()
{
    close();
    reportLater(FailureNumber::ConnectTimedOut, QCoreApplication::translate("QAbstractSocket", "Connection timed out"));
}

void Transport::onStateChanged(QAbstractSocket::SocketState s)
{
    if (s == QAbstractSocket::ConnectingState) {
        emit resolved();
        return;
    }
    if (s != QAbstractSocket::UnconnectedState)
        return;
    // A TLS peer's close_notify makes Qt close the socket itself, without the
    // remote-close error: that too is the server's close.
    if (m_tls && m_socket.isEncrypted() && !m_failed && !m_closing)
        m_peerClosed = true;
    if (!m_peerClosed || m_socket.bytesAvailable() == 0)
        return;
    const quint32 gen = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, gen] {
            if (gen == m_generation && m_socket.bytesAvailable() > 0)
                emit dataArrival();
        },
        Qt::QueuedConnection);
}

bool Transport::peerReset() const
{
    // A peer's FIN leaves our side in CLOSE_WAIT until we close; a reset takes
    // the connection straight to CLOSE. Qt reads both as the end of stream.
    tcp_info info {};
    socklen_t len = sizeof info;
    return m_watch >= 0 && ::getsockopt(m_watch, IPPROTO_TCP, TCP_INFO, &info, &len) == 0
           && info.tcpi_state == TCP_CLOSE;
}

void Transport::dropWatch()
{
    if (m_watch >= 0)
        ::close(m_watch);
    m_watch = -1;
}

void Transport::onError(QAbstractSocket::SocketError e)
{
    if (e == QAbstractSocket::RemoteHostClosedError && peerReset())
        m_reset = true;
    dropWatch();
    if (m_reset) {
        reportLater(FailureNumber::Reset, QCoreApplication::translate("QNativeSocketEngine", "Connection reset by peer"));
        return;
    }
    // Refused, unresolvable and the like are the socket's own failures, TLS or not.
    const bool handshaking = m_tls && m_tcpUp && !m_socket.isEncrypted();
    if (e == QAbstractSocket::RemoteHostClosedError && !handshaking) {
        // The peer's ordinary close: the end of a response, not a failure.
        m_peerClosed = true;
        return;
    }
    // With TLS 1.3 a server that refuses the client's certificate says so
    // after the handshake has completed on our side.
    if (handshaking || e == QAbstractSocket::SslHandshakeFailedError || e == QAbstractSocket::SslInternalError) {
        const Failure f = !m_verifyErrors.isEmpty() && m_verify
                              ? TlsSetup::verificationFailure(m_verifyErrors, m_host)
                              : TlsSetup::handshakeFailure(m_socket.errorString());
        reportLater(f.number, f.description);
        return;
    }
    reportLater(static_cast<qint32>(FailureNumber::SocketBase + static_cast<int>(e)), m_socket.errorString());
}

void Transport::reportLater(qint32 number, const QString &description)
{
    m_failed = true;
    const quint32 gen = m_generation;
    // Delivered from the event loop rather than from inside the socket, so the
    // handler may close the socket and open a modal box safely.
    QMetaObject::invokeMethod(
        this,
        [this, gen, number, description] {
            if (gen == m_generation)
                emit error(number, description);
        },
        Qt::QueuedConnection);
}

void Transport::onBytesWritten(qint64 n)
{
    if (m_toWrite <= 0)
        return;
    m_toWrite -= n;
    if (m_toWrite <= 0) {
        m_toWrite = 0;
        emit sendComplete();
    }
}

void Transport::onReadyRead()
{
    emit dataArrival();
}

void Transport::onSslErrors(const QList<QSslError> &errors)
{
    m_sessionAtErrors = m_socket.sslConfiguration();
    for (const QSslError &e : errors)
        if (!m_verifyErrors.contains(e))
            m_verifyErrors << e;
    if (!m_verify)
        m_socket.ignoreSslErrors();
}
