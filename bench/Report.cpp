#include "Report.h"

#include <cstdio>

namespace {

QString padded(const QString &s, int width)
{
    return s.leftJustified(width, QLatin1Char(' '));
}

QString mib(qint64 bytes)
{
    return QString::number(static_cast<double>(bytes) / (1 << 20), 'f', 0) + QStringLiteral(" MiB");
}

} // namespace

void Report::line(const QString &label, const QString &figure, const QString &target, bool ok)
{
    std::printf("%s %s %s %s\n", qPrintable(padded(label, 50)), qPrintable(padded(figure, 44)),
                qPrintable(padded(target, 18)), ok ? "met" : "MISSED");
    std::fflush(stdout);
    if (ok)
        ++m_met;
    else
        m_missed << label + QStringLiteral(" (") + figure + QStringLiteral(", ") + target + QLatin1Char(')');
}

void Report::ratio(const QString &label, double seconds, const char *floorName, double floor, double target)
{
    const double r = seconds > 0 && floor > 0 ? seconds / floor : -1;
    line(label,
         QStringLiteral("%1 s / %2 %3 s = %4×")
             .arg(seconds, 0, 'f', 3)
             .arg(QLatin1String(floorName))
             .arg(floor, 0, 'f', 3)
             .arg(r, 0, 'f', 2),
         QStringLiteral("target ≤ %1×").arg(target, 0, 'f', 1), r >= 0 && r <= target);
}

void Report::atMost(const QString &label, double value, double target, const char *unit, const QString &note)
{
    QString figure = QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(unit);
    if (!note.isEmpty())
        figure += QStringLiteral("  ") + note;
    line(label, figure, QStringLiteral("target ≤ %1 %2").arg(target).arg(QLatin1String(unit)),
         value >= 0 && value <= target);
}

void Report::memory(const QString &label, qint64 aboveIdle, qint64 response, double target)
{
    const double r = static_cast<double>(aboveIdle) / static_cast<double>(response);
    line(label, QStringLiteral("%1× response (%2 above idle)").arg(r, 0, 'f', 2).arg(mib(aboveIdle)),
         QStringLiteral("target ≤ %1×").arg(target, 0, 'f', 1), aboveIdle >= 0 && r <= target);
}

void Report::holds(const QString &label, bool ok, const QString &detail)
{
    line(label, detail, QStringLiteral("must hold"), ok);
}

void Report::info(const QString &label, const QString &text)
{
    std::printf("%s %s\n", qPrintable(padded(label, 50)), qPrintable(text));
    std::fflush(stdout);
}

int Report::summary() const
{
    std::printf("\nsummary: %d of %d targets met", m_met, m_met + static_cast<int>(m_missed.size()));
    if (m_missed.isEmpty()) {
        std::printf("\n");
        return 0;
    }
    std::printf("; missed:\n");
    for (const QString &m : m_missed)
        std::printf("  - %s\n", qPrintable(m));
    return 1;
}
