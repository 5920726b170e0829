#include "cli/QtMessages.h"

#include "cli/FdOutput.h"

#include <QtGlobal>

namespace {
QtMessages::Route g_route = QtMessages::Route::Keep;
QStringList g_kept;

void handler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QString line = context.category && qstrcmp(context.category, "default") != 0
                             ? QString::fromLatin1(context.category) + QStringLiteral(": ") + text
                             : text;
    if (type == QtFatalMsg || g_route == QtMessages::Route::Print)
        FdOutput::say(line);
    else if (g_route == QtMessages::Route::Keep)
        g_kept << line;
}
} // namespace

void QtMessages::capture()
{
    qInstallMessageHandler(handler);
}

void QtMessages::route(Route r)
{
    g_route = r;
    if (r == Route::Print)
        for (const QString &line : std::as_const(g_kept))
            FdOutput::say(line);
    if (r != Route::Keep)
        g_kept.clear();
}

QStringList QtMessages::kept()
{
    return g_kept;
}
