#include "cli/SendOptions.h"

#include "cli/FdOutput.h"
#include "cli/ProxyOption.h"
#include "core/TextCodec.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int MinTimeout = 1;
const QString StandIn = QStringLiteral("\x01negative:");
constexpr int MaxTimeout = 3600;

// "1048576", "64K", "16M", "1G": binary multiples, as the window names its limits.
qint64 byteCount(const QString &text)
{
    QString t = text.trimmed().toUpper();
    int shift = 0;
    if (t.endsWith(QLatin1String("IB")))
        t.chop(2);
    else if (t.endsWith(QLatin1Char('B')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('K')))
        shift = 10;
    else if (t.endsWith(QLatin1Char('M')))
        shift = 20;
    else if (t.endsWith(QLatin1Char('G')))
        shift = 30;
    if (shift)
        t.chop(1);
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);
    if (!ok || n < 1 || n > (qint64(1) << (62 - shift)))
        return -1;
    return n << shift;
}

// A negative number ("-9002") would be read as the options -9, -0, -0, -2.
// Where it stands as an argument, it is swapped for a stand-in before
// parsing and put back after, so that a negative port is said to be one.
QStringList hideNegativeNumbers(QStringList arguments, const QList<QCommandLineOption> &options, QStringList *hidden)
{
    static const QRegularExpression negative(QStringLiteral("^-[0-9]+$"));
    QStringList takesValue;
    for (const QCommandLineOption &o : options)
        if (!o.valueName().isEmpty())
            for (const QString &name : o.names())
                takesValue << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--"))
            break;
        if (takesValue.contains(arguments[i])) {
            ++i; // its value, whatever it looks like
            continue;
        }
        if (negative.match(arguments[i]).hasMatch()) {
            *hidden << arguments[i];
            arguments[i] = StandIn + QString::number(hidden->size() - 1);
        }
    }
    return arguments;
}

QString exitStatusHelp()
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("SendOptions", text); };
    return tr("終了ステータス:\n"
              "  0    完了（サーバが閉じた、または --http-end で HTTP の応答が終わった）\n"
              "  1    タイムアウト（届いた分は出力済み）\n"
              "  2    接続の失敗（拒否、名前解決、リセット、ネットワーク、接続のタイムアウト、--limit 超過）\n"
              "  3    TLS の検証、ハンドシェイク、証明書ファイルの失敗\n"
              "  4    使い方または入力の誤り（ポート、要求ファイル、--request-limit 超過、不明なオプション）\n"
              "  5    応答を書き込めなかった（-o のファイル、標準出力）\n"
              "  6    --http-end で、HTTP の応答が終わる前にサーバが閉じた（応答が不完全）\n"
              "  130, 143  SIGINT、SIGTERM で中断（届いた分は出力済み）\n"
              "  141  出力先の読み手が先に読むのをやめた（| head など。メッセージなし）\n");
}

} // namespace

SendOptions parseSendOptions(const QStringList &arguments)
{
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("生の要求メッセージを TCP で送信し、サーバが接続を閉じるまでに届いた応答をそのまま出力します。")
        + QCoreApplication::translate("SendOptions",
                                      "\n「-」で始まる引数（「-」で始まるファイル名など）は -- の後に書いて下さい"
                                      "（例: wireprobe-send -t 5 -- HOST PORT -request.txt）。"));
    // Our own, so -v stays --verbose and the texts are Japanese.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("使い方を表示します。"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("バージョンを表示します。"));
    const QCommandLineOption timeout({QStringLiteral("t"), QStringLiteral("timeout")},
                                     QStringLiteral("応答を待つ秒数（1〜3600、既定 10）。"), QStringLiteral("SECONDS"),
                                     QStringLiteral("10"));
    const QCommandLineOption output(
        QStringLiteral("o"),
        QCoreApplication::translate(
            "SendOptions", "応答をファイルに書き込みます（標準出力の代わりに）。届いたとおりに一時ファイルへ書き、"
                           "終わりに置き換えます。FIFO やデバイスにはそのまま書き込みます。"),
        QStringLiteral("FILE"));
    const QCommandLineOption binary(QStringLiteral("binary"),
                                    QStringLiteral("要求のバイト列を行の規則なしにそのまま送信します。"));
    const QCommandLineOption encoding(
        QStringLiteral("encoding"),
        QStringLiteral("要求ファイルのエンコーディング（UTF-8、Shift_JIS、EUC-JP、ISO-2022-JP、ISO-8859-1）。"),
        QStringLiteral("NAME"), QStringLiteral("UTF-8"));
    const QCommandLineOption limit(
        QStringLiteral("limit"),
        QCoreApplication::translate("SendOptions", "受け取る応答の上限バイト数（既定: 上限なし）。"),
        QStringLiteral("BYTES"));
    const QCommandLineOption requestLimit(
        QStringLiteral("request-limit"),
        QCoreApplication::translate("SendOptions",
                                    "読み込む要求の上限バイト数（既定 1G）。超えると何も送信せずに終了します。"),
        QStringLiteral("BYTES"));
    const QCommandLineOption tls(QStringLiteral("tls"), QStringLiteral("TLS で接続します。"));
    const QCommandLineOption insecure(QStringLiteral("insecure"), QStringLiteral("サーバ証明書を検証しません。"));
    const QCommandLineOption cacert(QStringLiteral("cacert"), QStringLiteral("信頼する CA 証明書（PEM）を追加します。"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption cert(QStringLiteral("cert"), QStringLiteral("クライアント証明書（PEM または PKCS#12）。"),
                                  QStringLiteral("FILE"));
    const QCommandLineOption key(QStringLiteral("key"), QStringLiteral("クライアント証明書の秘密鍵（PEM）。"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption httpEnd(QStringLiteral("http-end"),
                                     QStringLiteral("HTTP の応答が終わったら、サーバが閉じるのを待たずに完了します。"));
    const QCommandLineOption halfClose(
        QStringLiteral("half-close"),
        QCoreApplication::translate(
            "SendOptions", "要求を送信した後、送信側を閉じます（入力の終わりまで読むサーバ向け、TLS では無効）。"));
    const QCommandLineOption fixLength(QStringLiteral("fix-content-length"),
                                       QStringLiteral("Content-Length を本文の送信バイト数に合わせます。"));
    const QCommandLineOption crlf(QStringLiteral("crlf"), QStringLiteral("LF のみの行末も CR LF にして送信します。"));
    const QCommandLineOption verbose({QStringLiteral("v"), QStringLiteral("verbose")},
                                     QStringLiteral("やり取りの詳細を標準エラー出力に書きます。"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("やり取りを JSON で標準エラー出力に書きます。"));
    const QCommandLineOption proxy(
        QStringLiteral("proxy"),
        QCoreApplication::translate(
            "SendOptions", "プロキシを経由して接続します: http://[USER[:PASSWORD]@]HOST[:PORT] (CONNECT), "
                           "socks5://... (名前はこちらで解決), socks5h://... (名前はプロキシが解決)。 ポートの既定は 1080。 "
                           "パスワードがなければ端末で尋ねます。 省略時は環境変数 all_proxy / ALL_PROXY。 "
                           "空の URL ではプロキシを使いません。"),
        QStringLiteral("URL"));
    const QCommandLineOption noProxy(
        QStringLiteral("noproxy"),
        QCoreApplication::translate(
            "SendOptions", "プロキシを使わない接続先: * ですべて、 またはカンマ区切りのホスト名、 ドメイン、 アドレス。 "
                           "省略時は環境変数 no_proxy / NO_PROXY。"),
        QStringLiteral("LIST"));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QCoreApplication::translate("SendOptions", "やり取りを履歴に記録します（ウィンドウと同じ履歴）。"));
    const QCommandLineOption history(
        QStringLiteral("history"),
        QCoreApplication::translate("SendOptions", "履歴の新しいほうから N 件（既定 20）を一覧にします: "
                                                   "番号、日時、宛先、要求名、結果。--json で JSON Lines。"));
    const QCommandLineOption replay(QStringLiteral("replay"),
                                    QCoreApplication::translate("SendOptions",
                                                                "履歴の要求を記録どおりのバイト列で送り直します。"
                                                                "宛先は記録のまま、または HOST PORT。"),
                                    QStringLiteral("ID"));
    const QCommandLineOption exportEntry(QStringLiteral("export"),
                                         QCoreApplication::translate("SendOptions",
                                                                     "履歴の要求と応答を DIR に ID-request.txt、"
                                                                     "ID-response.txt として書き出します。"),
                                         QStringLiteral("ID"));
    const QList<QCommandLineOption> options{help,         version,   timeout,  output,     binary, encoding, limit,
                                            requestLimit, tls,       insecure, cacert,     cert,   key,      httpEnd,
                                            halfClose,    fixLength, crlf,     verbose,    json,   proxy,    noProxy,
                                            record,       history,   replay,   exportEntry};
    p.addOptions(options);
    p.addPositionalArgument(
        QStringLiteral("HOST"),
        QCoreApplication::translate("SendOptions",
                                    "接続先のホスト名または IP アドレス（IPv6 は [::1] のようにも書けます）。"));
    p.addPositionalArgument(QStringLiteral("PORT"), QStringLiteral("接続先のポート番号。"));
    p.addPositionalArgument(QStringLiteral("REQUEST-FILE"), QStringLiteral("要求ファイル（省略または - で標準入力）。"),
                            QStringLiteral("[REQUEST-FILE]"));
    p.setApplicationDescription(
        p.applicationDescription() + QLatin1Char('\n')
        + QCoreApplication::translate("SendOptions",
                                      "履歴: wireprobe-send --history [N] | --replay ID [HOST PORT] | --export ID DIR"));

    QStringList negatives;
    if (!p.parse(hideNegativeNumbers(arguments, options, &negatives)))
        throw UsageError{p.errorText()};
    if (p.isSet(help)) {
        FdOutput::writeAll(STDOUT_FILENO, (p.helpText() + QLatin1Char('\n') + exitStatusHelp()).toUtf8());
        ::exit(0);
    }
    if (p.isSet(version))
        p.showVersion();

    QStringList args = p.positionalArguments();
    for (QString &a : args)
        if (a.startsWith(StandIn))
            a = negatives.value(a.mid(StandIn.size()).toInt());
    SendOptions o;
    o.record = p.isSet(record);
    o.json = p.isSet(json);
    if (int(p.isSet(history)) + int(p.isSet(replay)) + int(p.isSet(exportEntry)) > 1)
        throw UsageError{
            QCoreApplication::translate("SendOptions", "--history、--replay、--export は一つだけ指定して下さい。")};
    const auto entryId = [](const QString &text) {
        bool ok = false;
        const qint64 id = text.trimmed().toLongLong(&ok);
        if (!ok || id < 1)
            throw UsageError{
                QCoreApplication::translate("SendOptions", "履歴の番号は 1 以上の整数で指定して下さい: %1").arg(text)};
        return id;
    };
    if (p.isSet(history)) {
        o.mode = SendOptions::Mode::History;
        if (args.size() > 1)
            throw UsageError{QStringLiteral("余分な引数があります: %1").arg(args.mid(1).join(QLatin1Char(' ')))};
        bool ok = true;
        if (!args.isEmpty())
            o.historyCount = args[0].trimmed().toInt(&ok);
        if (!ok || o.historyCount < 1)
            throw UsageError{
                QCoreApplication::translate("SendOptions", "--history の件数は 1 以上の整数で指定して下さい: %1")
                    .arg(args.value(0))};
        return o;
    }
    if (p.isSet(exportEntry)) {
        o.mode = SendOptions::Mode::Export;
        o.entryId = entryId(p.value(exportEntry));
        if (args.size() != 1)
            throw UsageError{
                QCoreApplication::translate("SendOptions", "--export には書き出すフォルダを一つ指定して下さい。")};
        o.exportDir = args[0];
        return o;
    }
    if (p.isSet(replay)) {
        // The destination is the recorded one unless given; the request is the recorded bytes.
        o.mode = SendOptions::Mode::Replay;
        o.entryId = entryId(p.value(replay));
        if (args.size() != 0 && args.size() != 2)
            throw UsageError{
                QCoreApplication::translate("SendOptions", "--replay の宛先はホストとポートの二つで指定して下さい。")};
        for (const QCommandLineOption *fromFile : {&binary, &crlf})
            if (p.isSet(*fromFile))
                throw UsageError{QCoreApplication::translate("SendOptions", "--%1 は --replay とは使えません。")
                                     .arg(fromFile->names().constLast())};
    } else if (args.size() < 2)
        throw UsageError{QStringLiteral("接続先のホストとポートを指定して下さい。")};
    if (args.size() > 3)
        throw UsageError{QStringLiteral("余分な引数があります: %1").arg(args.mid(3).join(QLatin1Char(' ')))};

    o.host = args.value(0);
    o.portText = args.value(1);
    o.requestPath = args.value(2);
    o.outputPath = p.value(output);
    if (p.isSet(output) && o.outputPath.isEmpty())
        throw UsageError{QStringLiteral("-o には書き込むファイルを指定して下さい。")};

    bool ok = false;
    o.timeoutSeconds = p.value(timeout).trimmed().toInt(&ok);
    if (!ok || o.timeoutSeconds < MinTimeout || o.timeoutSeconds > MaxTimeout)
        throw UsageError{QStringLiteral("タイムアウトは %1 から %2 までの秒数で指定して下さい: %3")
                             .arg(MinTimeout)
                             .arg(MaxTimeout)
                             .arg(p.value(timeout))};
    if (p.isSet(limit)) {
        o.responseLimit = byteCount(p.value(limit));
        if (o.responseLimit < 0)
            throw UsageError{QStringLiteral("--limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1")
                                 .arg(p.value(limit))};
    }
    o.encodingGiven = p.isSet(encoding);
    if (p.isSet(requestLimit)) {
        o.requestLimit = byteCount(p.value(requestLimit));
        if (o.requestLimit < 0)
            throw UsageError{
                QCoreApplication::translate(
                    "SendOptions", "--request-limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1")
                    .arg(p.value(requestLimit))};
    }
    o.encoding = TextCodec::known(p.value(encoding));
    if (o.encoding.isEmpty())
        throw UsageError{QStringLiteral("使えないエンコーディングです: %1（%2）")
                             .arg(p.value(encoding), TextCodec::names().join(QStringLiteral("、")))};

    o.binary = p.isSet(binary);
    o.lfEndsLine = p.isSet(crlf);
    if (o.binary && o.lfEndsLine)
        throw UsageError{QStringLiteral("--binary と --crlf は同時に指定できません。")};
    o.fixContentLength = p.isSet(fixLength);
    o.httpEnd = p.isSet(httpEnd);
    o.halfClose = p.isSet(halfClose);
    o.verbose = p.isSet(verbose);
    if (o.verbose && o.json)
        throw UsageError{QStringLiteral("--verbose と --json は同時に指定できません。")};

    o.tls.enabled = p.isSet(tls);
    o.tls.verify = !p.isSet(insecure);
    o.tls.caFile = p.value(cacert);
    o.tls.certFile = p.value(cert);
    o.tls.keyFile = p.value(key);
    for (const QCommandLineOption *needsTls : {&insecure, &cacert, &cert, &key})
        if (!o.tls.enabled && p.isSet(*needsTls))
            throw UsageError{QStringLiteral("--%1 は --tls と一緒に指定して下さい。").arg(needsTls->names().constLast())};
    if (!o.tls.keyFile.isEmpty() && o.tls.certFile.isEmpty())
        throw UsageError{QStringLiteral("--key には --cert も指定して下さい。")};
    o.proxy = ProxyOption::choose(p.isSet(proxy) ? std::optional(p.value(proxy)) : std::nullopt,
                                  p.isSet(noProxy) ? std::optional(p.value(noProxy)) : std::nullopt, o.host);
    return o;
}
