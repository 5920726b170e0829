#include "core/ExchangeEngine.h"

#include "core/Failure.h"
#include "core/FailureNumber.h"
#include "core/LargeMemory.h"

#include <QLocale>

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
        } catch (const std::bad_alloc &) {
        }
    }
    if (!whole)
        bytes.reserve(LargeMemory::growableCapacity(capacity));
    LargeMemory::preferHugePages(bytes.constData(), bytes.capacity());
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
    LargeMemory::mapLargeArrays();
    m_transport.setObjectName(QStringLiteral("Winsock"));
    m_responseTimer.setObjectName(QStringLiteral("TimerWinsock"));
    m_closePoll.setObjectName(QStringLiteral("TimerWinsockClose"));
    m_responseTimer.setSingleShot(true);
    connect(&m_transport, &Transport::resolved, this, [this] { m_timings.resolved = now(); });
    connect(&m_transport, &Transport::connected, this, [this] {
        m_tcpUp = true;
        m_timings.connected = now();
        if (!m_setup.tls.enabled)
            onConnected();
        else
            m_responseTimer.start(m_setup.timeoutSeconds * 1000); // the handshake is a wait for the server
    });
    connect(&m_transport, &Transport::encrypted, this, [this] {
        m_timings.tlsDone = now();
        m_tlsDetails = TlsSetup::describeSession(m_transport.sessionConfiguration());
        onConnected();
    });
    connect(&m_transport, &Transport::sendComplete, this, &ExchangeEngine::onSendComplete);
    connect(&m_transport, &Transport::dataArrival, this, &ExchangeEngine::onDataArrival);
    connect(&m_transport, &Transport::error, this, &ExchangeEngine::onError);
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
    m_framing.reset(false);
    m_tlsDetails.clear();
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
    m_setup = setup;
    m_framing.reset(HttpFraming::methodIsHead(setup.request));
    m_clock.start();
    m_transport.connectTo(setup.host, setup.port, tls);
    m_outcome = Outcome::Running;
    // The connection attempt is bounded by the same time-out as the wait for data.
    m_responseTimer.start(setup.timeoutSeconds * 1000);
    emit outcomeChanged(m_outcome);
    emit started();
}

void ExchangeEngine::abort()
{
    if (m_outcome == Outcome::Running)
        finish(Outcome::Idle);
}

void ExchangeEngine::onConnected()
{
    emit connected();
    m_transport.write(m_setup.request);
    m_responseTimer.start(m_setup.timeoutSeconds * 1000);
}

void ExchangeEngine::onSendComplete()
{
    m_sent = m_setup.request.size();
    m_timings.requestSent = now();
    emit requestSent();
}

void ExchangeEngine::onDataArrival()
{
    if (m_outcome != Outcome::Running)
        return;
    // Every arrival starts the time-out again, so a server that answers and
    // then neither sends more nor closes cannot hold the exchange for ever.
    m_responseTimer.start(m_setup.timeoutSeconds * 1000);
    const qint64 room = m_setup.responseLimit - m_response.size();
    const qint64 want = qMin(qMin(room, ReadPiece), m_transport.bytesAvailable());
    if (want > 0) {
        if (m_timings.firstByte < 0)
            m_timings.firstByte = now();
        // Qt 6.4 grows an array by copying it whole when its room runs out;
        // doubling ahead keeps the copies few and in place (realloc).
        const qint64 at = m_response.size();
        if (m_response.capacity() - at < want)
            reserveKept(m_response, qMax(2 * m_response.capacity(), at + want), m_setup.responseLimit);
        // Straight into the kept bytes: no piece to allocate, fault in and copy again.
        m_response.resize(at + want);
        const qint64 got = m_transport.read(m_response.data() + at, want);
        m_response.resize(at + got);
        if (got > 0) {
            m_framing.feed(QByteArrayView(m_response).sliced(at, got));
            emit arrived(m_response.size());
        }
    }
    if (m_outcome != Outcome::Running)
        return; // a receiver ended it
    // A response that ends exactly at the limit is complete; one that goes on is cut.
    if (m_response.size() >= m_setup.responseLimit && m_transport.state() != Transport::Closing) {
        finish(Outcome::Failed);
        emit failed(FailureNumber::ResponseLimit, QStringLiteral("応答メッセージが上限の %1 に達したため、受信を打ち切りました。")
                                          .arg(limitText(m_setup.responseLimit)));
        return;
    }
    if (m_setup.httpEnd && m_framing.finalResponseComplete()) {
        finish(Outcome::Completed);
        emit completed();
        return;
    }
    if (m_transport.bytesAvailable() > 0) {
        // More than one piece is waiting: take it on a later turn, so the window
        // keeps answering while a big response streams in.
        QMetaObject::invokeMethod(this, &ExchangeEngine::onDataArrival, Qt::QueuedConnection);
        return;
    }
    if (!m_closePoll.isActive())
        m_closePoll.start(ClosePollMs);
}

void ExchangeEngine::onClosePoll()
{
    if (m_transport.state() != Transport::Closing)
        return;
    finish(Outcome::Completed);
    emit completed();
}

void ExchangeEngine::onResponseTimer()
{
    if (m_outcome != Outcome::Running)
        return;
    if (!m_tcpUp) {
        // Still connecting: the socket's own "timed out" failure, not the response's.
        m_transport.failConnectTimeout();
        return;
    }
    finish(Outcome::TimedOut);
    emit timedOut(m_setup.timeoutSeconds);
}

QString ExchangeEngine::tlsVerificationNote() const
{
    if (!m_setup.tls.enabled || m_setup.tls.verify || m_transport.verifyErrors().isEmpty())
        return QString();
    return QStringLiteral("サーバ証明書は検証されていません。検証していれば次の理由で失敗していました:\n")
           + TlsSetup::describeErrors(m_transport.verifyErrors(), m_setup.host);
}

void ExchangeEngine::onError(qint32 number, const QString &description)
{
    if (m_outcome != Outcome::Running)
        return;
    // A refused certificate is shown too: subject, issuer, validity, fingerprint.
    if (m_setup.tls.enabled && m_tlsDetails.isEmpty() && !m_transport.verifyErrors().isEmpty())
        m_tlsDetails = TlsSetup::describeSession(m_transport.sessionAtErrors());
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
