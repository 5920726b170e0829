#include "cli/ProgressLine.h"

#include "cli/FdOutput.h"

#include <QLocale>
#include <unistd.h>

namespace {
constexpr int TickMs = 250;
} // namespace

ProgressLine::ProgressLine(bool enabled, Source source, QObject *parent)
    : QObject(parent), m_enabled(enabled), m_source(std::move(source))
{
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &ProgressLine::draw);
}

void ProgressLine::start()
{
    if (m_enabled)
        m_timer.start();
}

void ProgressLine::draw()
{
    qint64 bytes = 0;
    double ms = 0;
    m_source(&bytes, &ms);
    const QLocale c = QLocale::c();
    QString text = ms > 0 ? tr("受信: %1 バイト（%2/秒）")
                                .arg(c.toString(bytes),
                                     c.formattedDataSize(qint64(bytes * 1000.0 / ms), 1, QLocale::DataSizeIecFormat))
                          : tr("受信: %1 バイト").arg(c.toString(bytes));
    FdOutput::writeAll(STDERR_FILENO, (QLatin1Char('\r') + text + QStringLiteral("\x1b[K")).toUtf8());
    m_shown = true;
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    FdOutput::writeAll(STDERR_FILENO, "\r\x1b[K");
    m_shown = false;
}

void ProgressLine::stop()
{
    m_timer.stop();
    clear();
}
