// wireprobe-send: the window's exchange from the command line, on the same engine.
#include "cli/ExitStatus.h"
#include "cli/FdOutput.h"
#include "cli/HistoryCli.h"
#include "cli/QtMessages.h"
#include "cli/SendOptions.h"
#include "cli/Sender.h"
#include "core/ProcessStart.h"
#include "core/Translation.h"

#include "Version.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // First of all, before anything opens a descriptor.
    const ProcessStart::Closed closed = ProcessStart::prepare();
    // A reader that goes away shows as EPIPE, which the output handles.
    ::signal(SIGPIPE, SIG_IGN);
    QtMessages::capture();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wireprobe-send"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(WPD_VERSION_MAJOR).arg(WPD_VERSION_MINOR).arg(WPD_VERSION_PATCH));
    // The language: --lang, else the environment. Qt's own texts (socket
    // failures among them) follow it.
    Translation::Language language = Translation::fromEnvironment();
    if (const std::optional<QString> given = languageArgument(QCoreApplication::arguments()))
        language = Translation::fromCode(*given).value_or(language);
    Translation::install(&app, language);

    SendOptions options;
    try {
        options = parseSendOptions(QCoreApplication::arguments());
    } catch (const UsageError &e) {
        FdOutput::say(QStringLiteral("wireprobe-send: ") + e.text);
        FdOutput::say(usageHint());
        return ExitStatus::BadInput;
    }
    QtMessages::route(options.json      ? QtMessages::Route::Keep
                      : options.verbose ? QtMessages::Route::Print
                                        : QtMessages::Route::Drop);
    switch (options.mode) {
    case SendOptions::Mode::History:
        return HistoryCli::list(options);
    case SendOptions::Mode::Export:
        return HistoryCli::exportEntry(options);
    case SendOptions::Mode::Replay:
        if (const int status = HistoryCli::prepareReplay(options))
            return status;
        break;
    case SendOptions::Mode::Send:
        break;
    }
    Sender sender(options, closed);
    return sender.run();
}
