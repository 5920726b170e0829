#include "cli/HistoryCli.h"

#include "cli/ExitStatus.h"
#include "cli/FdOutput.h"
#include "core/ExchangeEngine.h"
#include "core/HistoryStore.h"
#include "core/ResponseFile.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <unistd.h>

namespace {

const QString Program = QStringLiteral("wireprobe-send: ");

void sayFault(const HistoryStore &store)
{
    FdOutput::say(Program + store.fault().text);
}

QString outcomeName(HistoryEntry::Outcome o)
{
    switch (o) {
    case HistoryEntry::Outcome::Completed:
        return QStringLiteral("completed");
    case HistoryEntry::Outcome::TimedOut:
        return QStringLiteral("timeout");
    case HistoryEntry::Outcome::Failed:
        return QStringLiteral("failed");
    case HistoryEntry::Outcome::Interrupted:
        return QStringLiteral("interrupted");
    }
    return QString();
}

QByteArray jsonLine(const HistoryEntry &e)
{
    QJsonObject o{
        {QStringLiteral("id"), double(e.id)},
        {QStringLiteral("time"), QDateTime::fromMSecsSinceEpoch(e.startedMs, Qt::UTC).toString(Qt::ISODateWithMs)},
        {QStringLiteral("host"), e.host},
        {QStringLiteral("port"), e.port},
        {QStringLiteral("tls"), e.tls},
        {QStringLiteral("label"), e.label},
        {QStringLiteral("outcome"), outcomeName(e.outcome)},
        {QStringLiteral("status_line"), e.statusLine.isEmpty() ? QJsonValue() : QJsonValue(e.statusLine)},
        {QStringLiteral("failure"), e.outcome == HistoryEntry::Outcome::Failed
                                        ? QJsonValue(QJsonObject{{QStringLiteral("number"), e.failureNumber},
                                                                 {QStringLiteral("description"), e.failureText}})
                                        : QJsonValue()},
        {QStringLiteral("response_bytes"), double(e.responseBytes)},
        {QStringLiteral("cut"), e.cut},
        {QStringLiteral("ms"), e.timings.end < 0 ? QJsonValue() : QJsonValue(e.timings.end)}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray textLine(const HistoryEntry &e)
{
    const QStringList fields{QString::number(e.id),
                             QDateTime::fromMSecsSinceEpoch(e.startedMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                             e.tls ? e.destination() + QStringLiteral(" [TLS]") : e.destination(), e.label,
                             e.resultText()};
    return fields.join(QLatin1Char('\t')).toUtf8() + '\n';
}

std::optional<HistoryEntry> loadEntry(HistoryStore &store, qint64 id)
{
    std::optional<HistoryEntry> e = store.load(id);
    if (!e) {
        if (store.fault())
            sayFault(store);
        else
            FdOutput::say(Program + QCoreApplication::translate("HistoryCli", "履歴に番号 %1 はありません。").arg(id));
    }
    return e;
}

} // namespace

int HistoryCli::list(const SendOptions &options)
{
    HistoryStore store;
    const QList<HistoryEntry> rows = store.list(QString(), 0, options.historyCount);
    if (store.fault()) {
        sayFault(store);
        return ExitStatus::BadInput;
    }
    // Newest last, as a terminal reads downwards.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        if (const int err = FdOutput::writeAll(STDOUT_FILENO, options.json ? jsonLine(*it) : textLine(*it))) {
            FdOutput::say(Program + QString::fromLocal8Bit(::strerror(err)));
            return ExitStatus::Output;
        }
    return ExitStatus::Completed;
}

int HistoryCli::exportEntry(const SendOptions &options)
{
    HistoryStore store;
    const std::optional<HistoryEntry> e = loadEntry(store, options.entryId);
    if (!e)
        return ExitStatus::BadInput;
    const QDir dir(options.exportDir);
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("%1-request.txt"), e->request},
                                      std::pair{QStringLiteral("%1-response.txt"), e->response}}) {
        const QString path = dir.filePath(name.arg(e->id));
        try {
            ResponseFile::save(path, bytes);
        } catch (const Failure &f) {
            FdOutput::say(Program + QString::number(f.number) + QStringLiteral(" : ") + f.description
                          + QLatin1Char('\n') + path);
            return ExitStatus::Output;
        }
    }
    return ExitStatus::Completed;
}

int HistoryCli::prepareReplay(SendOptions &options)
{
    HistoryStore store;
    const std::optional<HistoryEntry> e = loadEntry(store, options.entryId);
    if (!e)
        return ExitStatus::BadInput;
    if (options.host.isEmpty()) {
        options.host = e->host;
        options.portText = e->port;
    }
    options.tls.enabled = options.tls.enabled || e->tls;
    if (!options.encodingGiven)
        options.encoding = e->encoding;
    options.requestBytes = e->request;
    return 0;
}

qint64 HistoryCli::recordCap()
{
    SettingsStore settings;
    return HistoryStore::limitsFrom(Settings::Section(&settings)).entryCap;
}

void HistoryCli::record(const ExchangeEngine &engine, const ExchangeFacts &facts, const SendOptions &options,
                        const QByteArray &kept)
{
    if (!options.record || engine.startedAtMs() == 0)
        return;
    HistoryEntry::Outcome outcome = HistoryEntry::Outcome::Failed;
    if (facts.outcome == QLatin1String("completed"))
        outcome = HistoryEntry::Outcome::Completed;
    else if (facts.outcome == QLatin1String("timeout"))
        outcome = HistoryEntry::Outcome::TimedOut;
    else if (facts.outcome == QLatin1String("interrupted"))
        outcome = HistoryEntry::Outcome::Interrupted;
    HistoryEntry entry = ExchangeHistory::entryFor(engine, options.portText, options.encoding, outcome,
                                                   facts.failure ? facts.failure->number : 0,
                                                   facts.failure ? facts.failure->description : QString());
    entry.response = kept;
    entry.responseBytes = engine.receivedBytes();
    entry.cut = kept.size() < entry.responseBytes;
    // The limits the user set in the window apply here too.
    SettingsStore settings;
    const HistoryStore::Limits limits = HistoryStore::limitsFrom(Settings::Section(&settings));
    HistoryStore store;
    // The JSON object stays all that goes to standard error.
    if ((!store.add(entry, limits) || store.fault()) && !options.json)
        sayFault(store);
}
