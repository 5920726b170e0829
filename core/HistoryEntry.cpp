#include "core/HistoryEntry.h"

#include <QCoreApplication>

QString HistoryEntry::resultText() const
{
    switch (outcome) {
    case Outcome::Completed:
        return statusLine.isEmpty() ? QCoreApplication::translate("History", "完了") : statusLine;
    case Outcome::TimedOut:
        return QCoreApplication::translate("History", "タイムアウト（%1 秒）").arg(timeoutSeconds);
    case Outcome::Failed:
        return QString::number(failureNumber) + QLatin1Char(':') + failureText;
    case Outcome::Interrupted:
        return QCoreApplication::translate("History", "中断");
    }
    return QString();
}

QString HistoryEntry::destination() const
{
    // An IPv6 address in brackets, so the port stays readable.
    const bool v6 = host.contains(QLatin1Char(':'));
    return (v6 ? QLatin1Char('[') + host + QLatin1Char(']') : host) + QLatin1Char(':') + port.trimmed();
}

HistoryEntry ExchangeHistory::entryFor(const ExchangeEngine &engine, const QString &portText, const QString &encoding,
                                       HistoryEntry::Outcome outcome, qint32 failureNumber, const QString &failureText)
{
    const ExchangeSetup &setup = engine.setup();
    HistoryEntry e;
    e.startedMs = engine.startedAtMs();
    e.host = setup.host;
    e.port = portText;
    e.tls = setup.tls.enabled;
    e.certSha256 = engine.peerCertificateSha256();
    e.encoding = encoding;
    e.outcome = outcome;
    e.failureNumber = failureNumber;
    e.failureText = failureText;
    e.timeoutSeconds = setup.timeoutSeconds;
    e.timings = engine.timings();
    e.requestBytes = engine.requestBytesSent();
    e.responseBytes = engine.receivedBytes();
    const HttpFraming &f = engine.framing();
    if (f.isHttp()) {
        e.headerBytes = f.headerBytes();
        e.bodyBytes = f.bodyBytes();
        e.statusLine = f.diagnosis().statusLine;
    }
    e.request = setup.request;
    e.response = engine.response();
    return e;
}
