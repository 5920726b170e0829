#pragma once

#include "core/HttpFraming.h"
#include "core/ProxySettings.h"
#include "core/TlsSettings.h"
#include "core/TlsSetup.h"
#include "core/Transport.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <limits>

// What one exchange needs: where to, how long to wait, and the bytes to send.
struct ExchangeSetup
{
    QString host;
    qint32 port = 0;
    int timeoutSeconds = 10;
    QByteArray request;
    // The most response bytes taken; one more ends the exchange (failure 240).
    qint64 responseLimit = qint64(512) << 20;
    // Off: the engine keeps no copy of the response, and a receiver takes each
    // piece from lastPiece() as arrived() announces it; memory stays the same
    // whatever the response's size. The framing and the counts work either way.
    bool keepResponse = true;
    TlsSettings tls;
    TlsSetup::PasswordPrompt askPassword;
    ProxySettings proxy;
    // Complete at the end of the first final HTTP/1.x response, as if the server had closed.
    bool httpEnd = false;
    // Shut down the writing side once the request is written, for servers that
    // read until the end of their input. Plain TCP only: TLS has no half-close here.
    bool halfClose = false;
};

// Milliseconds from the start of the exchange; negative when the phase did not happen.
struct ExchangeTimings
{
    double resolved = -1;
    double proxyConnected = -1; // the connection to an HTTP proxy; SOCKS5's is not seen
    double connected = -1;      // through a proxy: the tunnel is open
    double tlsDone = -1;
    double requestSent = -1;
    double firstByte = -1;
    double end = -1;
};

// One request/response exchange over a TCP (or TLS) connection: connects,
// sends the request bytes once connected, keeps every byte that arrives, and
// ends at the server's close, the time-out, a failure, or the response limit.
// It holds the only copy of the response.
class ExchangeEngine : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 NoLimit = std::numeric_limits<qint64>::max();
    enum class Outcome { Idle, Running, Completed, TimedOut, Failed, Stopped };
    Q_ENUM(Outcome)

    explicit ExchangeEngine(QObject *parent = nullptr);
    // "512 MiB", as the limit is named to the user.
    static QString limitText(qint64 bytes);

    // Throws Failure for what fails at once (the port, a socket still in use,
    // unusable TLS files, a proxy password not given); nothing is sent then.
    // A proxy with a user and no password asks for it through askPassword;
    // proxy() then holds the answer, for a view that keeps it.
    void start(const ExchangeSetup &setup);
    // Ends a running exchange without a report.
    void abort();
    // Ends a running exchange at the user's word, keeping what arrived; reports stopped().
    void stop();
    // Forgets the last exchange: its response, timings and details.
    void clear();
    // Takes recorded bytes as the last exchange's request and response, as if
    // they had just arrived and the server had closed: no timings, the framing
    // read from the bytes; cleared(), arrived(), outcomeChanged() and completed()
    // emitted, as for an exchange that ended. Nothing is sent.
    void adoptResponse(const QByteArray &request, const QByteArray &response);

    bool isRunning() const { return m_outcome == Outcome::Running; }
    Outcome outcome() const { return m_outcome; }
    // Every byte that arrived, when the setup keeps the response.
    const QByteArray &response() const { return m_response; }
    // The bytes arrived() has just announced; valid while its receivers run.
    const QByteArray &lastPiece() const { return m_lastPiece; }
    // How many bytes arrived, kept or not.
    qint64 receivedBytes() const { return m_received; }
    // The first bytes of the response (up to 16), kept or not.
    const QByteArray &firstBytes() const { return m_firstBytes; }
    // A receiver that cannot take more bytes now holds the reading: the
    // socket's buffer fills and TCP holds the server back. The time-out does
    // not count while held, since the wait is the receiver's, not the server's.
    void holdReading(bool hold);
    qint64 requestBytesSent() const { return m_sent; }
    const ExchangeTimings &timings() const { return m_timings; }
    // Milliseconds since the start, for progress while it runs.
    double elapsedMs() const;
    Transport::StateCode state() const { return m_transport.state(); }
    const Transport &transport() const { return m_transport; }
    bool usedTls() const { return m_setup.tls.enabled; }
    const ProxySettings &proxy() const { return m_setup.proxy; }
    // What the last exchange was started with.
    const ExchangeSetup &setup() const { return m_setup; }
    // Wall-clock start of the last exchange, UTC milliseconds since the epoch.
    qint64 startedAtMs() const { return m_startedAtMs; }
    // The server certificate's SHA-256 (hex, colon-separated), also of one that was refused.
    QString peerCertificateSha256() const { return m_peerSha256; }
    const HttpFraming &framing() const { return m_framing; }
    // The TLS session of the last exchange: protocol, cipher, certificate chain.
    QStringList tlsDetails() const { return m_tlsDetails; }
    // Set when verification was off and would have failed: why.
    QString tlsVerificationNote() const;

signals:
    // The last exchange was forgotten: no response, timings or details.
    void cleared();
    // An exchange is running; its response starts empty.
    void started();
    // On every change of outcome, once the engine's state is final; before
    // completed(), timedOut() or failed() tell why an exchange ended.
    void outcomeChanged(ExchangeEngine::Outcome outcome);
    void connected();
    void requestSent();
    // total: the response's size now; the new bytes are at its end.
    void arrived(qint64 total);
    void completed();
    void timedOut(int seconds);
    void failed(qint32 number, const QString &description);
    void stopped();

private:
    static QByteArray askProxyPassword(const ExchangeSetup &setup);
    void onConnected();
    void onSendComplete();
    void onDataArrival();
    void onResponseTimer();
    void onPeerClosed();
    void onClosePoll();
    // Starts the time-out again from now.
    void armTimeout();
    void onError(qint32 number, const QString &description);
    void failAtLimit();
    QByteArray readPiece(qint64 max);
    // Every end: the timers stop and the socket closes before anything is reported.
    void finish(Outcome outcome);
    double now() const;

    Transport m_transport;
    QTimer m_responseTimer;    // the time-out: the connection attempt, then the wait for data
    QDeadlineTimer m_deadline; // when the time-out is really up: a timer may fire early
    QTimer m_closePoll;
    ExchangeSetup m_setup;
    QByteArray m_response;
    QByteArray m_lastPiece;
    QList<QByteArray> m_buffers; // reused for a response that is not kept
    QByteArray m_firstBytes;
    qint64 m_received = 0;
    bool m_held = false;
    HttpFraming m_framing;
    QStringList m_tlsDetails;
    QString m_peerSha256;
    qint64 m_startedAtMs = 0;
    qint64 m_sent = 0;
    bool m_tcpUp = false;
    Outcome m_outcome = Outcome::Idle;
    ExchangeTimings m_timings;
    QElapsedTimer m_clock;
};
