#include "core/Transport.h"

#include "core/Failure.h"
#include "core/FailureNumber.h"
#include "core/PortText.h"
#include "core/TlsSetup.h"
#include "core/Translation.h"

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
        dropWatch();
        // Qt's SOCKS5 layer gives out made-up descriptor numbers, which may be
        // another socket's: no watch through it.
        if (m_proxy.type != ProxySettings::Type::Socks5)
            m_watch = ::fcntl(static_cast<int>(m_socket.socketDescriptor()), F_DUPFD_CLOEXEC, 0);
        if (m_tunnel.waiting()) {
            m_proxyUp = true;
            emit proxyConnected();
            m_socket.write(m_connectRequest);
            return;
        }
        m_tcpUp = true;
        emit connected();
    });
    connect(&m_socket, &QSslSocket::encrypted, this, &Transport::encrypted);
    connect(&m_socket, &QSslSocket::sslErrors, this, &Transport::onSslErrors);
    connect(&m_socket, &QSslSocket::handshakeInterruptedOnError, this, [this](const QSslError &e) { onSslErrors({e}); });
}

Transport::~Transport()
{
    dropWatch();
}

void Transport::connectTo(const QString &host, qint32 port, const std::optional<QSslConfiguration> &tls,
                          const ProxySettings &proxy)
{
    if (port < 1 || port > 65535)
        throw PortText::rangeFailure();
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        throw Failure{FailureNumber::SocketNotClosed, tr("ソケットが閉じられていないため接続できません。")};
    ++m_generation;
    m_peerClosed = false;
    m_reset = false;
    m_failed = false;
    m_tcpUp = false;
    m_halfClosed = false;
    m_toWrite = 0;
    m_verifyErrors.clear();
    m_host = host;
    m_tls = tls.has_value();
    m_proxy = proxy;
    m_destination = ProxySettings::endpoint(host, static_cast<quint16>(port));
    m_lookedUp = false;
    m_proxyUp = false;
    m_tunnel = HttpTunnel();
    m_connectRequest.clear();
    const bool viaHttp = proxy.type == ProxySettings::Type::Http;
    if (viaHttp)
        m_connectRequest = m_tunnel.begin(proxy, host, static_cast<quint16>(port));
    m_socket.setProxy(proxy.qtProxy());
    // The name TLS checks and sends (SNI) is the destination's, also when the
    // socket itself connects to an HTTP proxy.
    m_socket.setPeerVerifyName(viaHttp ? host : QString());
    if (!m_tls) {
        m_socket.setSslConfiguration(QSslConfiguration::defaultConfiguration());
        if (viaHttp)
            m_socket.connectToHost(proxy.host, proxy.port);
        else
            m_socket.connectToHost(host, static_cast<quint16>(port));
        return;
    }
    QSslConfiguration c = *tls;
    // Verification always runs, so that with it switched off we can still say
    // what it would have found; the errors are then ignored.
    m_verify = c.peerVerifyMode() == QSslSocket::VerifyPeer;
    c.setPeerVerifyMode(QSslSocket::VerifyPeer);
    m_socket.setSslConfiguration(c);
    if (viaHttp)
        m_socket.connectToHost(proxy.host, proxy.port); // TLS starts once the tunnel is open
    else
        m_socket.connectToHostEncrypted(host, static_cast<quint16>(port));
}

void Transport::write(const QByteArray &bytes)
{
    m_toWrite += bytes.size();
    m_socket.write(bytes);
}

void Transport::shutdownWrite()
{
    const qintptr fd = m_socket.socketDescriptor();
    if (fd >= 0 && ::shutdown(static_cast<int>(fd), SHUT_WR) == 0)
        m_halfClosed = true;
}

QByteArray Transport::read(qint64 max)
{
    return m_socket.read(qMin(max, m_socket.bytesAvailable()));
}

qint64 Transport::read(char *into, qint64 max)
{
    return qMax<qint64>(0, m_socket.read(into, max));
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
        return m_tunnel.waiting() ? Connecting : Connected;
    default:
        break;
    }
    return Closed;
}

void Transport::failConnectTimeout()
{
    const bool proxyUnreached = m_proxy.type == ProxySettings::Type::Http && !m_proxyUp;
    close();
    if (proxyUnreached)
        reportLater(FailureNumber::SocketBase + QAbstractSocket::ProxyConnectionTimeoutError,
                    Translation::qtText("QHttpSocketEngine", "Proxy server connection timed out"));
    else
        reportLater(FailureNumber::ConnectTimedOut, Translation::qtText("QAbstractSocket", "Connection timed out"));
}

void Transport::onStateChanged(QAbstractSocket::SocketState s)
{
    if (s == QAbstractSocket::ConnectingState) {
        m_lookedUp = true;
        emit resolved();
        return;
    }
    if (s != QAbstractSocket::UnconnectedState)
        return;
    // A TLS peer's close_notify makes Qt close the socket itself, without the
    // remote-close error: that too is the server's close.
    if (m_tls && m_socket.isEncrypted() && !m_failed && !m_closing && !m_peerClosed)
        notePeerClosed();
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
    // Once our side is shut down too, the peer's FIN also ends in CLOSE (the
    // kernel hands the connection to a time-wait entry): no reset is told then.
    if (m_halfClosed)
        return false;
    tcp_info info{};
    socklen_t len = sizeof info;
    return m_watch >= 0 && ::getsockopt(m_watch, IPPROTO_TCP, TCP_INFO, &info, &len) == 0 && info.tcpi_state == TCP_CLOSE;
}

void Transport::dropWatch()
{
    if (m_watch >= 0)
        ::close(m_watch);
    m_watch = -1;
}

std::optional<Failure> Transport::proxyFailure(QAbstractSocket::SocketError e)
{
    if (m_tunnel.waiting()) {
        if (e == QAbstractSocket::RemoteHostClosedError) {
            m_tunnel.read(m_socket); // the rest of a refusal's page
            m_tunnel.closed();
            return m_tunnel.failure();
        }
        // The proxy itself could not be reached: Qt's numbers and words for that.
        if (e == QAbstractSocket::ConnectionRefusedError)
            return Failure{FailureNumber::SocketBase + QAbstractSocket::ProxyConnectionRefusedError,
                           Translation::qtText("QHttpSocketEngine", "Proxy connection refused")};
        if (e == QAbstractSocket::HostNotFoundError)
            return Failure{FailureNumber::SocketBase + QAbstractSocket::ProxyNotFoundError,
                           Translation::qtText("QHttpSocketEngine", "Proxy server not found")};
        return std::nullopt;
    }
    // Qt's SOCKS5 layer: a failure after our own name lookup and before the
    // tunnel is the proxy's answer.
    if (m_proxy.type == ProxySettings::Type::Socks5 && m_lookedUp && !m_tcpUp)
        return m_proxy.socksFailure(e, m_socket.errorString(), m_destination);
    return std::nullopt;
}

void Transport::onError(QAbstractSocket::SocketError e)
{
    if (const std::optional<Failure> f = proxyFailure(e)) {
        dropWatch();
        reportLater(f->number, f->description);
        return;
    }
    if (e == QAbstractSocket::RemoteHostClosedError && peerReset())
        m_reset = true;
    dropWatch();
    if (m_reset) {
        reportLater(FailureNumber::Reset, tr("接続先サーバによって接続がリセットされました。"));
        return;
    }
    // Refused, unresolvable and the like are the socket's own failures, TLS or not.
    const bool handshaking = m_tls && m_tcpUp && !m_socket.isEncrypted();
    if (e == QAbstractSocket::RemoteHostClosedError && !handshaking) {
        // The peer's ordinary close: the end of a response, not a failure.
        notePeerClosed();
        return;
    }
    // With TLS 1.3 a server that refuses the client's certificate says so
    // after the handshake has completed on our side.
    if (handshaking || e == QAbstractSocket::SslHandshakeFailedError || e == QAbstractSocket::SslInternalError) {
        const Failure f = !m_verifyErrors.isEmpty() && m_verify ? TlsSetup::verificationFailure(m_verifyErrors, m_host)
                                                                : TlsSetup::handshakeFailure(m_socket.errorString());
        reportLater(f.number, f.description);
        return;
    }
    reportLater(static_cast<qint32>(FailureNumber::SocketBase + static_cast<int>(e)), m_socket.errorString());
}

void Transport::notePeerClosed()
{
    m_peerClosed = true;
    const quint32 gen = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, gen] {
            if (gen == m_generation)
                emit peerClosed();
        },
        Qt::QueuedConnection);
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
    if (m_tunnel.waiting()) {
        readTunnel();
        return;
    }
    emit dataArrival();
}

void Transport::readTunnel()
{
    const HttpTunnel::Step step = m_tunnel.read(m_socket);
    if (step == HttpTunnel::Step::Waiting)
        return;
    if (step == HttpTunnel::Step::Failed) {
        failTunnel(m_tunnel.failure());
        return;
    }
    // Open: from here on the bytes are the destination's.
    const quint32 gen = m_generation;
    m_tcpUp = true;
    emit connected();
    if (gen != m_generation)
        return;
    if (m_tls)
        m_socket.startClientEncryption();
    else if (m_socket.bytesAvailable() > 0)
        emit dataArrival();
}

void Transport::failTunnel(const Failure &f)
{
    // Nothing more from this proxy is read: what follows its refusal is not a response.
    m_closing = true;
    m_socket.abort();
    m_closing = false;
    dropWatch();
    reportLater(f.number, f.description);
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
