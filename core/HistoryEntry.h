#pragma once

#include "core/ExchangeEngine.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// One recorded exchange. In a list the bytes are left empty: only load() of
// the store fills them.
struct HistoryEntry
{
    enum class Outcome : int { Completed = 0, TimedOut = 1, Failed = 2, Interrupted = 3 };

    qint64 id = 0;
    qint64 startedMs = 0; // UTC, milliseconds since the epoch
    QString host;
    QString port; // as typed
    bool tls = false;
    QString certSha256; // the server certificate's, hex with colons; empty without one
    QString encoding;
    Outcome outcome = Outcome::Completed;
    qint32 failureNumber = 0;
    QString failureText;
    int timeoutSeconds = 0;
    ExchangeTimings timings;
    qint64 requestBytes = 0;  // sent
    qint64 responseBytes = 0; // received, also when the kept bytes were cut
    qint64 headerBytes = -1;  // HTTP only
    qint64 bodyBytes = -1;
    QString statusLine;
    QString label;
    bool cut = false; // the response was kept up to the per-entry cap only

    QByteArray request;
    QByteArray response;

    // What the list shows as the result: the status line, or the time-out or failure.
    QString resultText() const;
    // "host:port"
    QString destination() const;
};

namespace ExchangeHistory {
// The entry for the exchange the engine has just ended. Cheap: the bytes are
// shared with the engine, not copied, and nothing is decoded here.
HistoryEntry entryFor(const ExchangeEngine &engine, const QString &portText, const QString &encoding,
                      HistoryEntry::Outcome outcome, qint32 failureNumber = 0, const QString &failureText = QString());
}
