#include "cli/VerboseSummary.h"

#include "core/ExchangeEngine.h"

#include <QLocale>

namespace {

QString ms(double v)
{
    return v < 0 ? QStringLiteral("—") : QString::number(v, 'f', 1) + QStringLiteral(" ms");
}

QString bytesText(qint64 n)
{
    return QLocale::c().toString(n) + QStringLiteral(" バイト");
}

} // namespace

QStringList verboseSummary(const ExchangeEngine &e)
{
    QStringList lines;
    lines << QStringLiteral("送信した要求: ") + bytesText(e.requestBytesSent())
          << QStringLiteral("受信した応答: ") + bytesText(e.response().size());
    const HttpFraming &f = e.framing();
    if (f.isHttp())
        lines << QStringLiteral("  ヘッダー: ") + bytesText(f.headerBytes()) + QStringLiteral(" / 本文: ")
                     + bytesText(f.bodyBytes());
    const ExchangeTimings &t = e.timings();
    lines << QStringLiteral("名前解決: ") + ms(t.resolved) << QStringLiteral("接続: ") + ms(t.connected);
    if (e.usedTls())
        lines << QStringLiteral("TLS ハンドシェイク: ") + ms(t.tlsDone);
    lines << QStringLiteral("要求送信: ") + ms(t.requestSent) << QStringLiteral("最初の応答バイト: ") + ms(t.firstByte)
          << QStringLiteral("終了: ") + ms(t.end);
    if (f.isHttp()) {
        lines << f.describe(!e.isRunning());
        if (e.outcome() == ExchangeEngine::Outcome::TimedOut && f.finalResponseComplete())
            lines << QStringLiteral("HTTP の応答は完了していました。サーバが接続を開いたままにする場合は --http-end を付けると、時間切れを待たずに完了します。");
    }
    const QString notVerified = e.tlsVerificationNote();
    if (!notVerified.isEmpty())
        lines << notVerified;
    return lines;
}
