#pragma once

#include "core/HttpFraming.h"
#include "core/TlsSettings.h"
#include "core/TlsSetup.h"
#include "core/Transport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

// What one exchange needs: where to, how long to wait, and the bytes to send.
struct ExchangeSetup
{
    QString host;
    qint32 port = 0;
    int timeoutSeconds = 10;
    QByteArray request;
    qint64 responseLimit = qint64(512) << 20;
    TlsSettings tls;
    TlsSetup::PasswordPrompt askPassword;
    // Complete at the end of the first final HTTP/1.x response, as if the server had closed.
    bool httpEnd = false;
};

// Milliseconds from the start of the exchange; negative when the phase did not happen.
struct ExchangeTimings
{
    double resolved = -1;
    double connected = -1;
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
    enum class Outcome { Idle, Running, Completed, TimedOut, Failed };
    Q_ENUM(Outcome)

    explicit ExchangeEngine(QObject *parent = nullptr);
    // "512 MiB", as the limit is named to the user.
    static QString limitText(qint64 bytes);

    // Throws Failure for what fails at once (the port, a socket still in use,
    // unusable TLS files); nothing is sent then.
    void start(const ExchangeSetup &setup);
    // Ends a running exchange without a report.
    void abort();
    // Forgets the last exchange: its response, timings and details.
    void clear();

    bool isRunning() const { return m_outcome == Outcome::Running; }
    Outcome outcome() const { return m_outcome; }
    const QByteArray &response() const { return m_response; }
    qint64 requestBytesSent() const { return m_sent; }
    const ExchangeTimings &timings() const { return m_timings; }
    // Milliseconds since the start, for progress while it runs.
    double elapsedMs() const;
    Transport::StateCode state() const { return m_transport.state(); }
    const Transport &transport() const { return m_transport; }
    bool usedTls() const { return m_setup.tls.enabled; }
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

private:
    void onConnected();
    void onSendComplete();
    void onDataArrival();
    void onResponseTimer();
    void onClosePoll();
    void onError(qint32 number, const QString &description);
    // Every end: the timers stop and the socket closes before anything is reported.
    void finish(Outcome outcome);
    double now() const;

    Transport m_transport;
    QTimer m_responseTimer; // the time-out: the connection attempt, then the wait for data
    QTimer m_closePoll;
    ExchangeSetup m_setup;
    QByteArray m_response;
    HttpFraming m_framing;
    QStringList m_tlsDetails;
    qint64 m_sent = 0;
    bool m_tcpUp = false;
    Outcome m_outcome = Outcome::Idle;
    ExchangeTimings m_timings;
    QElapsedTimer m_clock;
};
