#include "core/PortText.h"

#include "core/Failure.h"
#include "core/FailureNumber.h"

#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PortText)
};

} // namespace

qint32 PortText::toInt(const QString &text)
{
    const QString t = text.trimmed();
    bool digits = !t.isEmpty();
    for (qsizetype i = 0; i < t.size() && digits; ++i) {
        const QChar c = t[i];
        const bool sign = i == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-')) && t.size() > 1;
        digits = sign || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    if (!digits)
        throw Failure{FailureNumber::PortNotNumber, Texts::tr("ポート番号「%1」を数値に変換できません。").arg(text)};
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        throw rangeFailure();
    return static_cast<qint32>(v);
}

Failure PortText::rangeFailure()
{
    return Failure{FailureNumber::PortOutOfRange, Texts::tr("ポート番号は1から65535の範囲で指定して下さい。")};
}
