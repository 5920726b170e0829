#include "core/ExchangeReport.h"

#include "core/ExchangeEngine.h"
#include "core/TlsSetup.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ExchangeReport)
};

} // namespace

QString ExchangeReport::milliseconds(double ms)
{
    return ms < 0 ? QStringLiteral("—") : QString::number(ms, 'f', 1) + QStringLiteral(" ms");
}

QString ExchangeReport::bytesText(qint64 n)
{
    return Texts::tr("%1 バイト").arg(QLocale::c().toString(n));
}

QString ExchangeReport::addressMissing()
{
    return Texts::tr("接続先サーバのIPアドレスが指定されていません。");
}

QString ExchangeReport::portMissing()
{
    return Texts::tr("接続先サーバのポート番号が指定されていません。");
}

QString ExchangeReport::requestMissing()
{
    return Texts::tr("要求メッセージが入力されていません。");
}

QString ExchangeReport::waiting()
{
    return Texts::tr("接続先サーバに要求メッセージを送信し、応答を待っています。");
}

QString ExchangeReport::completed()
{
    return Texts::tr("接続先サーバから応答メッセージを受信し、操作が完了しました。");
}

QString ExchangeReport::timedOut(int seconds)
{
    return Texts::tr("%1秒間サーバからの応答がなかったため、接続を打ち切りました。").arg(seconds);
}

QString ExchangeReport::httpIncomplete(const HttpFraming &f)
{
    if (!f.isHttp() || f.finalResponseComplete())
        return QString();
    const HttpDiagnosis d = f.diagnosis();
    if (!d.headerComplete)
        return Texts::tr("HTTP の応答が不完全です: ヘッダーの終わりの空行が届く前に接続が閉じられました。");
    if (d.framing == HttpDiagnosis::Framing::Length && d.amount == HttpDiagnosis::Amount::Short)
        return Texts::tr("HTTP の応答が不完全です: 本文が Content-Length の %1 バイトより %2 バイト足りません。")
            .arg(QLocale::c().toString(*d.contentLength), QLocale::c().toString(*d.contentLength - d.bodyBytes));
    if (d.framing == HttpDiagnosis::Framing::Chunked)
        return d.lastChunkReceived
                   ? Texts::tr("HTTP の応答が不完全です: トレーラーの終わりが届く前に接続が閉じられました。")
                   : Texts::tr("HTTP の応答が不完全です: チャンク形式の本文の終端チャンクが届いていません。");
    return QString();
}

QStringList ExchangeReport::summary(const ExchangeEngine &e, const QString &heldOpenNote)
{
    QStringList lines;
    lines << Texts::tr("送信した要求: %1").arg(bytesText(e.requestBytesSent()));
    const qint64 received = e.receivedBytes();
    QString rx = Texts::tr("受信した応答: %1").arg(bytesText(received));
    const double elapsed = e.elapsedMs();
    if (e.isRunning() && elapsed > 0)
        //: Follows the byte count at once: the translation starts with its own separator.
        rx += Texts::tr("（%1/秒）")
                  .arg(QLocale::c().formattedDataSize(qint64(received * 1000.0 / elapsed), 1, QLocale::DataSizeIecFormat));
    lines << rx;
    const HttpFraming &f = e.framing();
    if (f.isHttp())
        lines << Texts::tr("  ヘッダー: %1 / 本文: %2").arg(bytesText(f.headerBytes()), bytesText(f.bodyBytes()));

    const ExchangeTimings &t = e.timings();
    lines << QString();
    const ProxySettings &proxy = e.proxy();
    if (proxy.used())
        lines << (proxy.type != ProxySettings::Type::Socks5 ? Texts::tr("プロキシ: %1")
                  : proxy.remoteDns ? Texts::tr("プロキシ: %1（接続先の名前はプロキシが解決）")
                                    : Texts::tr("プロキシ: %1（接続先の名前はこちらで解決）"))
                     .arg(proxy.label());
    lines << Texts::tr("名前解決: %1").arg(milliseconds(t.resolved));
    if (proxy.type == ProxySettings::Type::Http)
        lines << Texts::tr("プロキシに接続: %1").arg(milliseconds(t.proxyConnected));
    if (proxy.used())
        lines << Texts::tr("プロキシ経由で接続: %1").arg(milliseconds(t.connected));
    else
        lines << Texts::tr("接続: %1").arg(milliseconds(t.connected));
    if (e.usedTls())
        lines << Texts::tr("TLS ハンドシェイク: %1").arg(milliseconds(t.tlsDone));
    lines << Texts::tr("要求送信: %1").arg(milliseconds(t.requestSent))
          << Texts::tr("最初の応答バイト: %1").arg(milliseconds(t.firstByte))
          << Texts::tr("終了: %1").arg(milliseconds(t.end));

    if (f.isHttp()) {
        lines << QString() << f.describe(!e.isRunning());
        if (e.outcome() == ExchangeEngine::Outcome::TimedOut && f.finalResponseComplete())
            lines << heldOpenNote;
    }
    if (!e.usedTls() && TlsSetup::looksLikeTlsRecord(e.firstBytes()))
        lines << QString()
              << Texts::tr("応答は TLS のレコードで始まっています。TLS のポートに平文で接続した可能性があります。");
    if (e.outcome() == ExchangeEngine::Outcome::Failed && !e.tlsDetails().isEmpty())
        lines << QString() << e.tlsDetails();
    const QString notVerified = e.tlsVerificationNote();
    if (!notVerified.isEmpty())
        lines << QString() << notVerified;
    return lines;
}
