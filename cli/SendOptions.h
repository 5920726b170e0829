#pragma once

#include "core/ExchangeEngine.h"
#include "core/ProxySettings.h"
#include "core/RequestFile.h"
#include "core/TlsSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// What the command line asked for, checked for form but not yet for the
// files or the destination.
struct SendOptions
{
    QString host;
    QString portText;
    QString requestPath; // empty or "-": standard input
    QString outputPath;  // empty: standard output
    int timeoutSeconds = 10;
    // The response streams through a fixed buffer, so nothing bounds it
    // unless the user asks.
    qint64 responseLimit = ExchangeEngine::NoLimit;
    qint64 requestLimit = RequestFile::DefaultLimit;
    QString encoding = QStringLiteral("UTF-8");
    bool binary = false;
    bool lfEndsLine = false;
    bool fixContentLength = false;
    bool httpEnd = false;
    bool halfClose = false;
    bool verbose = false;
    bool json = false;
    TlsSettings tls;
    ProxySettings proxy; // from --proxy or the environment, unless bypassed

    // The history: what the run does, and whether a send is recorded.
    enum class Mode { Send, History, Replay, Export };
    Mode mode = Mode::Send;
    bool record = false;
    int historyCount = 20;
    qint64 entryId = 0; // --replay, --export
    QString exportDir;
    bool encodingGiven = false;
    // The request's bytes when they come from the history, not a file.
    std::optional<QByteArray> requestBytes;

    bool requestFromStdin() const { return requestPath.isEmpty() || requestPath == QLatin1String("-"); }
};

// A command line that cannot be run as given; the text says why.
struct UsageError
{
    QString text;
};

// Parses the application's arguments. --help and --version print and exit.
// Throws UsageError.
SendOptions parseSendOptions(const QStringList &arguments);

// The value given to --lang, read before the texts are chosen; nullopt when
// there is none. Other faults of the arguments are left to parseSendOptions.
std::optional<QString> languageArgument(const QStringList &arguments);

// Where to find the usage, after a usage error.
QString usageHint();
