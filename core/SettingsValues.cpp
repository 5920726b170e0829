#include "core/SettingsValues.h"

#include <cmath>
#include <limits>

QString SettingsValues::formatSingle(float v)
{
    const double d = static_cast<double>(v);
    // 'g' switches to an exponent at 10^7; twips never get there, but the text
    // must stay a plain decimal if they did.
    if (std::fabs(d) >= 1e7)
        return QString::number(static_cast<qint64>(std::llround(d)));
    return QString::number(d, 'g', 7);
}

QString SettingsValues::formatInt(int v)
{
    return QString::number(v);
}

QString SettingsValues::formatBool(bool v)
{
    return v ? QStringLiteral("1") : QStringLiteral("0");
}

float SettingsValues::parseSingle(const QString &text, float def)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max())
        return def;
    return static_cast<float>(d);
}

int SettingsValues::parseInt(const QString &text, int def, int min, int max)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return def;
    return static_cast<int>(qBound(static_cast<qlonglong>(min), v, static_cast<qlonglong>(max)));
}

bool SettingsValues::parseBool(const QString &text, bool def)
{
    const QString t = text.trimmed();
    if (t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t == QLatin1String("0") || t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return def;
}
