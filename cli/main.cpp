// wireprobe-send: the window's exchange from the command line, on the same engine.
#include "cli/ExitStatus.h"
#include "cli/FdOutput.h"
#include "cli/HistoryCli.h"
#include "cli/SendOptions.h"
#include "cli/Sender.h"
#include "core/Translation.h"

#include "Version.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // A reader that goes away is an output failure we report, not a silent death.
    ::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wireprobe-send"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(WPD_VERSION_MAJOR).arg(WPD_VERSION_MINOR).arg(WPD_VERSION_PATCH));
    // Socket failures are described in the same Japanese as in the window.
    installJapanese(&app);

    SendOptions options;
    try {
        options = parseSendOptions(QCoreApplication::arguments());
    } catch (const UsageError &e) {
        FdOutput::say(QStringLiteral("wireprobe-send: ") + e.text);
        FdOutput::say(QStringLiteral("使い方は wireprobe-send --help で表示されます。"));
        return ExitStatus::BadInput;
    }
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
    Sender sender(options);
    return sender.run();
}
