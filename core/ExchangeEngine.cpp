#include "core/ExchangeEngine.h"

#include "core/Failure.h"
#include "core/FailureNumber.h"
#include "core/HostText.h"
#include "core/LargeMemory.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <new>

namespace {
constexpr int ClosePollMs = 10;
constexpr qint64 ReadPiece = 1 << 20;

constexpr qint64 WholeRoomFrom = qint64(8) << 20;

// Room for the kept bytes, in huge pages where the system allows them. Once
// a response is large, room for all that the limit allows is taken at once:
// the system gives pages only as they are written, and the array never moves
// again (moving it, or copying it, stalls the window for a large response).
// Where that much cannot be had, the array grows by doubling, mapped.
void reserveKept(QByteArray &bytes, qint64 capacity, qint64 limit)
{
    bool whole = false;
    if (capacity >= WholeRoomFrom && capacity < limit) {
        try {
            bytes.reserve(limit);
            whole = true;
        } catch (const std::bad_alloc &) {}
    }
    if (!whole)
        bytes.reserve(LargeMemory::growableCapacity(capacity));
    LargeMemory::preferHugePages(bytes.constData(), bytes.capacity());
}

constexpr qsizetype FirstBytes = 16;

QString sha256Of(const QSslConfiguration &session)
{
    const QSslCertificate c = session.peerCertificate();
    return c.isNull() ? QString() : QString::fromLatin1(c.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}
} // namespace

QString ExchangeEngine::limitText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 0, QLocale::DataSizeIecFormat);
}

// The socket layer and the timers are children too, so they can be found by
// their names (Winsock, TimerWinsock, TimerWinsockClose).
ExchangeEngine::ExchangeEngine(QObject *parent)
    : QObject(parent), m_transport(this), m_responseTimer(this), m_closePoll(this)
{
    m_transport.setObjectName(QStringLiteral("Winsock"));
    m_responseTimer.setObjectName(QStringLiteral("TimerWinsock"));
    m_closePoll.setObjectName(QStringLiteral("TimerWinsockClose"));
    m_responseTimer.setSingleShot(true);
    // The user's time-out is a promise: a coarse timer may fire up to 5 % early.
    m_responseTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_transport, &Transport::resolved, this, [this] { m_timings.resolved = now(); });
    connect(&m_transport, &Transport::proxyConnected, this, [this] { m_timings.proxyConnected = now(); });
    connect(&m_transport, &Transport::connected, this, [this] {
        m_tcpUp = true;
        m_timings.connected = now();
        if (!m_setup.tls.enabled)
            onConnected();
        else
            armTimeout(); // the handshake is a wait for the server
    });
    connect(&m_transport, &Transport::encrypted, this, [this] {
        m_timings.tlsDone = now();
        m_tlsDetails = TlsSetup::describeSession(m_transport.sessionConfiguration());
        m_peerSha256 = sha256Of(m_transport.sessionConfiguration());
        onConnected();
    });
    connect(&m_transport, &Transport::sendComplete, this, &ExchangeEngine::onSendComplete);
    connect(&m_transport, &Transport::dataArrival, this, &ExchangeEngine::onDataArrival);
    connect(&m_transport, &Transport::error, this, &ExchangeEngine::onError);
    connect(&m_transport, &Transport::peerClosed, this, &ExchangeEngine::onPeerClosed);
    connect(&m_responseTimer, &QTimer::timeout, this, &ExchangeEngine::onResponseTimer);
    connect(&m_closePoll, &QTimer::timeout, this, &ExchangeEngine::onClosePoll);
}

double ExchangeEngine::now() const
{
    return static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
}

double ExchangeEngine::elapsedMs() const
{
    return m_clock.isValid() ? now() : 0;
}

void ExchangeEngine::clear()
{
    abort();
    m_setup = ExchangeSetup();
    m_response = QByteArray();
    m_lastPiece = QByteArray();
    m_buffers.clear();
    m_firstBytes = QByteArray();
    m_received = 0;
    m_held = false;
    m_framing.reset(false);
    m_tlsDetails.clear();
    m_peerSha256.clear();
    m_startedAtMs = 0;
    m_sent = 0;
    m_tcpUp = false;
    m_timings = ExchangeTimings();
    const bool changed = m_outcome != Outcome::Idle;
    m_outcome = Outcome::Idle;
    if (changed)
        emit outcomeChanged(m_outcome);
    emit cleared();
}

void ExchangeEngine::start(const ExchangeSetup &setup)
{
    clear();
    std::optional<QSslConfiguration> tls;
    if (setup.tls.enabled)
        tls = TlsSetup::configuration(setup.tls, setup.askPassword);
    ProxySettings proxy = setup.proxy;
    if (proxy.needsPassword())
        proxy.password = askProxyPassword(setup);
    m_setup = setup;
    m_setup.host = HostText::forConnecting(setup.host);
    proxy.host = HostText::forConnecting(proxy.host);
    m_setup.proxy = proxy;
    m_framing.reset(HttpFraming::methodIsHead(setup.request));
    m_startedAtMs = QDateTime::currentMSecsSinceEpoch();
    m_clock.start();
    m_transport.connectTo(m_setup.host, setup.port, tls, proxy);
    m_outcome = Outcome::Running;
    // The connection attempt is bounded by the same time-out as the wait for data.
    armTimeout();
    emit outcomeChanged(m_outcome);
    emit started();
}

void ExchangeEngine::armTimeout()
{
    const qint64 ms = qint64(m_setup.timeoutSeconds) * 1000;
    m_deadline = QDeadlineTimer(ms, Qt::PreciseTimer);
    m_responseTimer.start(std::chrono::milliseconds(ms));
}

QByteArray ExchangeEngine::askProxyPassword(const ExchangeSetup &setup)
{
    const QString subject = setup.proxy.passwordSubject();
    std::optional<QByteArray> answer;
    try {
        if (setup.askPassword)
            answer = setup.askPassword(subject);
    } catch (const Failure &f) {
        throw Failure{FailureNumber::ProxyAuthentication, f.description}; // no one to ask
    }
    if (!answer)
        throw Failure{FailureNumber::ProxyAuthentication,
                      tr("パスワードの入力が取り消されたため、%1 を使えません。").arg(subject)};
    return *answer;
}

void ExchangeEngine::adoptResponse(const QByteArray &request, const QByteArray &response)
{
    clear();
    m_setup.request = request;
    m_sent = request.size();
    m_response = response;
    m_received = response.size();
    m_framing.reset(HttpFraming::methodIsHead(request));
    m_framing.feed(response);
    m_outcome = Outcome::Completed;
    emit arrived(m_response.size());
    emit outcomeChanged(m_outcome);
    emit completed();
}

void ExchangeEngine::abort()
{
    if (m_outcome == Outcome::Running)
        finish(Outcome::Idle);
}

void ExchangeEngine::stop()
{
    if (m_outcome != Outcome::Running)
        return;
    finish(Outcome::Stopped);
    emit stopped();
}

void ExchangeEngine::onConnected()
{
    emit connected();
    m_transport.write(m_setup.request);
    armTimeout();
}

void ExchangeEngine::onSendComplete()
{
    m_sent = m_setup.request.size();
    m_timings.requestSent = now();
    if (m_setup.halfClose && !m_setup.tls.enabled)
        m_transport.shutdownWrite();
    emit requestSent();
}

void ExchangeEngine::onDataArrival()
{
    if (m_outcome != Outcome::Running || m_held)
        return;
    // Every arrival starts the time-out again, so a server that answers and
    // then neither sends more nor closes cannot hold the exchange for ever.
    armTimeout();
    const qint64 room = m_setup.responseLimit - m_received;
    const QByteArray piece = room > 0 ? readPiece(qMin(room, ReadPiece)) : QByteArray();
    if (!piece.isEmpty()) {
        if (m_timings.firstByte < 0)
            m_timings.firstByte = now();
        m_received += piece.size();
        if (m_firstBytes.size() < FirstBytes)
            m_firstBytes += piece.first(qMin(piece.size(), FirstBytes - m_firstBytes.size()));
        m_framing.feed(piece);
        m_lastPiece = piece;
        emit arrived(m_received);
        m_lastPiece = QByteArray();
    }
    if (m_outcome != Outcome::Running)
        return; // a receiver ended it
    if (m_setup.httpEnd && m_framing.finalResponseComplete()) {
        finish(Outcome::Completed);
        emit completed();
        return;
    }
    // A response that ends exactly at the limit is complete: only a byte
    // beyond it fails. Until the close or that byte, the time-out counts.
    if (m_received >= m_setup.responseLimit && m_transport.bytesAvailable() > 0) {
        failAtLimit();
        return;
    }
    if (m_held)
        return; // a receiver held the reading; it resumes it
    if (m_transport.bytesAvailable() > 0) {
        // More than one piece is waiting: take it on a later turn, so the window
        // keeps answering while a big response streams in.
        QMetaObject::invokeMethod(this, &ExchangeEngine::onDataArrival, Qt::QueuedConnection);
        return;
    }
    if (!m_closePoll.isActive())
        m_closePoll.start(ClosePollMs);
}

void ExchangeEngine::onPeerClosed()
{
    // A close with nothing received starts no arrival: the poll sees it too,
    // once every byte still waiting has been taken.
    if (m_outcome == Outcome::Running && !m_closePoll.isActive())
        m_closePoll.start(ClosePollMs);
}

QByteArray ExchangeEngine::readPiece(qint64 max)
{
    const qint64 want = qMin(max, m_transport.bytesAvailable());
    if (want <= 0)
        return QByteArray();
    if (m_setup.keepResponse) {
        // Straight into the kept bytes: no piece to allocate, fault in and
        // copy again. The piece is a view of them, valid while arrived() runs.
        const qint64 at = m_response.size();
        if (m_response.capacity() - at < want)
            reserveKept(m_response, qMax(2 * m_response.capacity(), at + want), m_setup.responseLimit);
        m_response.resize(at + want);
        m_response.resize(at + m_transport.read(m_response.data() + at, want));
        return QByteArray::fromRawData(m_response.constData() + at, m_response.size() - at);
    }
    // A receiver holds a piece until it has written it; a buffer is read into
    // again once it is ours alone. Fresh arrays would be mapped and faulted in
    // page by page for every piece: at a gigabyte a second, most of the time.
    auto buffer = std::find_if(m_buffers.begin(), m_buffers.end(), [](const QByteArray &b) { return b.isDetached(); });
    if (buffer == m_buffers.end())
        buffer = m_buffers.insert(m_buffers.end(), QByteArray(ReadPiece, Qt::Uninitialized));
    buffer->resize(want);
    buffer->resize(m_transport.read(buffer->data(), want));
    return *buffer;
}

void ExchangeEngine::failAtLimit()
{
    finish(Outcome::Failed);
    emit failed(
        FailureNumber::ResponseLimit,
        tr("応答メッセージが上限の %1 を超えたため、受信を打ち切りました。").arg(limitText(m_setup.responseLimit)));
}

void ExchangeEngine::holdReading(bool hold)
{
    if (hold == m_held)
        return;
    m_held = hold;
    if (m_outcome != Outcome::Running)
        return;
    if (hold) {
        m_responseTimer.stop();
        return;
    }
    armTimeout();
    QMetaObject::invokeMethod(this, &ExchangeEngine::onDataArrival, Qt::QueuedConnection);
}

void ExchangeEngine::onClosePoll()
{
    if (m_transport.state() != Transport::Closing)
        return;
    if (m_received == 0) {
        finish(Outcome::Failed);
        emit failed(FailureNumber::ClosedWithoutResponse, tr("接続先サーバは応答を返さずに接続を閉じました。"));
        return;
    }
    finish(Outcome::Completed);
    emit completed();
}

void ExchangeEngine::onResponseTimer()
{
    if (m_outcome != Outcome::Running)
        return;
    if (!m_deadline.hasExpired()) {
        // Fired early: wait out the rest, rounded up to whole milliseconds.
        const qint64 restNs = m_deadline.remainingTimeNSecs();
        m_responseTimer.start(std::chrono::milliseconds(qMax<qint64>(1, (restNs + 999999) / 1000000)));
        return;
    }
    if (!m_tcpUp) {
        // Still connecting: the socket's own "timed out" failure, not the response's.
        m_transport.failConnectTimeout();
        return;
    }
    if (m_setup.tls.enabled && m_timings.tlsDone < 0) {
        // The server took the connection but not the handshake: most often a
        // plain server, waiting for a request it will never see.
        finish(Outcome::Failed);
        emit failed(
            FailureNumber::TlsHandshakeTimedOut,
            tr("%1秒以内に TLS のハンドシェイクが終わりませんでした。接続先サーバは TLS を使っていない可能性があります。")
                .arg(m_setup.timeoutSeconds));
        return;
    }
    finish(Outcome::TimedOut);
    emit timedOut(m_setup.timeoutSeconds);
}

QString ExchangeEngine::tlsVerificationNote() const
{
    if (!m_setup.tls.enabled || m_setup.tls.verify || m_transport.verifyErrors().isEmpty())
        return QString();
    return tr("サーバ証明書は検証されていません。検証していれば次の理由で失敗していました:") + QLatin1Char('\n')
           + TlsSetup::describeErrors(m_transport.verifyErrors(), m_setup.host);
}

void ExchangeEngine::onError(qint32 number, const QString &description)
{
    if (m_outcome != Outcome::Running)
        return;
    // A refused certificate is shown too: subject, issuer, validity, fingerprint.
    if (m_setup.tls.enabled && m_tlsDetails.isEmpty() && !m_transport.verifyErrors().isEmpty()) {
        m_tlsDetails = TlsSetup::describeSession(m_transport.sessionAtErrors());
        m_peerSha256 = sha256Of(m_transport.sessionAtErrors());
    }
    finish(Outcome::Failed);
    emit failed(number, description);
}

void ExchangeEngine::finish(Outcome outcome)
{
    m_responseTimer.stop();
    m_closePoll.stop();
    m_transport.close();
    m_timings.end = now();
    const bool changed = m_outcome != outcome;
    m_outcome = outcome;
    if (changed)
        emit outcomeChanged(outcome);
}
