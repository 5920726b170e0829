#include "cli/SendOptions.h"

#include "cli/FdOutput.h"
#include "cli/ProxyOption.h"
#include "core/TextCodec.h"
#include "core/Translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdlib>
#include <unistd.h>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SendOptions)
};

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
    return Texts::tr("終了ステータス:\n"
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

// Every option and argument, with its help text in the language installed.
struct Options
{
    // Our own, so -v stays --verbose and the texts are ours.
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, Texts::tr("使い方を表示します。")};
    const QCommandLineOption version{QStringLiteral("version"), Texts::tr("バージョンを表示します。")};
    const QCommandLineOption timeout{{QStringLiteral("t"), QStringLiteral("timeout")},
                                     Texts::tr("応答を待つ秒数（1〜3600、既定 10）。"),
                                     QStringLiteral("SECONDS"),
                                     QStringLiteral("10")};
    const QCommandLineOption output{
        QStringLiteral("o"),
        Texts::tr("応答をファイルに書き込みます（標準出力の代わりに）。届いたとおりに一時ファイルへ書き、"
                  "終わりに置き換えます。FIFO やデバイスにはそのまま書き込みます。"),
        QStringLiteral("FILE")};
    const QCommandLineOption binary{QStringLiteral("binary"),
                                    Texts::tr("要求のバイト列を行の規則なしにそのまま送信します。")};
    const QCommandLineOption encoding{
        QStringLiteral("encoding"),
        Texts::tr("要求ファイルのエンコーディング（UTF-8、Shift_JIS、EUC-JP、ISO-2022-JP、ISO-8859-1）。"),
        QStringLiteral("NAME"), QStringLiteral("UTF-8")};
    const QCommandLineOption limit{QStringLiteral("limit"), Texts::tr("受け取る応答の上限バイト数（既定: 上限なし）。"),
                                   QStringLiteral("BYTES")};
    const QCommandLineOption requestLimit{
        QStringLiteral("request-limit"),
        Texts::tr("読み込む要求の上限バイト数（既定 1G）。超えると何も送信せずに終了します。"), QStringLiteral("BYTES")};
    const QCommandLineOption tls{QStringLiteral("tls"), Texts::tr("TLS で接続します。")};
    const QCommandLineOption insecure{QStringLiteral("insecure"), Texts::tr("サーバ証明書を検証しません。")};
    const QCommandLineOption cacert{QStringLiteral("cacert"), Texts::tr("信頼する CA 証明書（PEM）を追加します。"),
                                    QStringLiteral("FILE")};
    const QCommandLineOption cert{QStringLiteral("cert"), Texts::tr("クライアント証明書（PEM または PKCS#12）。"),
                                  QStringLiteral("FILE")};
    const QCommandLineOption key{QStringLiteral("key"), Texts::tr("クライアント証明書の秘密鍵（PEM）。"),
                                 QStringLiteral("FILE")};
    const QCommandLineOption httpEnd{QStringLiteral("http-end"),
                                     Texts::tr("HTTP の応答が終わったら、サーバが閉じるのを待たずに完了します。")};
    const QCommandLineOption halfClose{
        QStringLiteral("half-close"),
        Texts::tr("要求を送信した後、送信側を閉じます（入力の終わりまで読むサーバ向け、TLS では無効）。")};
    const QCommandLineOption fixLength{QStringLiteral("fix-content-length"),
                                       Texts::tr("Content-Length を本文の送信バイト数に合わせます。")};
    const QCommandLineOption crlf{QStringLiteral("crlf"), Texts::tr("LF のみの行末も CR LF にして送信します。")};
    const QCommandLineOption verbose{{QStringLiteral("v"), QStringLiteral("verbose")},
                                     Texts::tr("やり取りの詳細を標準エラー出力に書きます。")};
    const QCommandLineOption json{QStringLiteral("json"), Texts::tr("やり取りを JSON で標準エラー出力に書きます。")};
    const QCommandLineOption proxy{
        QStringLiteral("proxy"),
        Texts::tr("プロキシを経由して接続します: http://[USER[:PASSWORD]@]HOST[:PORT] (CONNECT), "
                  "socks5://... (名前はこちらで解決), socks5h://... (名前はプロキシが解決)。 ポートの既定は 1080。 "
                  "パスワードがなければ端末で尋ねます。 省略時は環境変数 all_proxy / ALL_PROXY。 "
                  "空の URL ではプロキシを使いません。"),
        QStringLiteral("URL")};
    const QCommandLineOption noProxy{
        QStringLiteral("noproxy"),
        Texts::tr("プロキシを使わない接続先: * ですべて、 またはカンマ区切りのホスト名、 ドメイン、 アドレス。 "
                  "省略時は環境変数 no_proxy / NO_PROXY。"),
        QStringLiteral("LIST")};
    const QCommandLineOption record{QStringLiteral("record"),
                                    Texts::tr("やり取りを履歴に記録します（ウィンドウと同じ履歴）。")};
    const QCommandLineOption history{QStringLiteral("history"),
                                     Texts::tr("履歴の新しいほうから N 件（既定 20）を一覧にします: "
                                               "番号、日時、宛先、要求名、結果。--json で JSON Lines。")};
    const QCommandLineOption replay{QStringLiteral("replay"),
                                    Texts::tr("履歴の要求を記録どおりのバイト列で送り直します。"
                                              "宛先は記録のまま、または HOST PORT。"),
                                    QStringLiteral("ID")};
    const QCommandLineOption exportEntry{QStringLiteral("export"),
                                         Texts::tr("履歴の要求と応答を DIR に ID-request.txt、"
                                                   "ID-response.txt として書き出します。"),
                                         QStringLiteral("ID")};
    const QCommandLineOption lang{QStringLiteral("lang"),
                                  Texts::tr("メッセージの言語: ja（日本語）または en（英語）。省略時は環境変数 "
                                            "LC_ALL、LC_MESSAGES、LANG の順に最初に設定されているもので決まり、"
                                            "en で始まれば英語、それ以外は日本語です。"),
                                  QStringLiteral("ja|en")};
    const QList<QCommandLineOption> all{help,         version,   timeout,  output,      binary, encoding, limit,
                                        requestLimit, tls,       insecure, cacert,      cert,   key,      httpEnd,
                                        halfClose,    fixLength, crlf,     verbose,     json,   proxy,    noProxy,
                                        record,       history,   replay,   exportEntry, lang};

    explicit Options(QCommandLineParser &p)
    {
        p.setApplicationDescription(
            Texts::tr("生の要求メッセージを TCP で送信し、サーバが接続を閉じるまでに届いた応答をそのまま出力します。\n"
                      "「-」で始まる引数（「-」で始まるファイル名など）は -- の後に書いて下さい"
                      "（例: wireprobe-send -t 5 -- HOST PORT -request.txt）。\n"
                      "履歴: wireprobe-send --history [N] | --replay ID [HOST PORT] | --export ID DIR"));
        p.addOptions(all);
        p.addPositionalArgument(QStringLiteral("HOST"),
                                Texts::tr("接続先のホスト名または IP アドレス（IPv6 は [::1] のようにも書けます）。"));
        p.addPositionalArgument(QStringLiteral("PORT"), Texts::tr("接続先のポート番号。"));
        p.addPositionalArgument(QStringLiteral("REQUEST-FILE"), Texts::tr("要求ファイル（省略または - で標準入力）。"),
                                QStringLiteral("[REQUEST-FILE]"));
    }
};

} // namespace

std::optional<QString> languageArgument(const QStringList &arguments)
{
    // The options as the full parse reads them, so that a value that looks
    // like --lang (a file named so) is not taken for it. Anything wrong is
    // left for that parse to say, in the language found here: the parser
    // reads every argument even past one it does not know.
    QCommandLineParser p;
    const Options options(p);
    QStringList negatives;
    (void)p.parse(hideNegativeNumbers(arguments, options.all, &negatives));
    return p.isSet(options.lang) ? std::optional(p.value(options.lang)) : std::nullopt;
}

QString usageHint()
{
    return Texts::tr("使い方は wireprobe-send --help で表示されます。");
}

SendOptions parseSendOptions(const QStringList &arguments)
{
    QCommandLineParser p;
    const Options opt(p);
    QStringList negatives;
    if (!p.parse(hideNegativeNumbers(arguments, opt.all, &negatives)))
        throw UsageError{p.errorText()};
    if (p.isSet(opt.help)) {
        FdOutput::writeAll(STDOUT_FILENO, (p.helpText() + QLatin1Char('\n') + exitStatusHelp()).toUtf8());
        ::exit(0);
    }
    if (p.isSet(opt.version))
        p.showVersion();
    if (p.isSet(opt.lang) && !Translation::fromCode(p.value(opt.lang)))
        throw UsageError{Texts::tr("--lang には ja か en を指定して下さい: %1").arg(p.value(opt.lang))};

    QStringList args = p.positionalArguments();
    for (QString &a : args)
        if (a.startsWith(StandIn))
            a = negatives.value(a.mid(StandIn.size()).toInt());
    SendOptions o;
    o.record = p.isSet(opt.record);
    o.json = p.isSet(opt.json);
    if (int(p.isSet(opt.history)) + int(p.isSet(opt.replay)) + int(p.isSet(opt.exportEntry)) > 1)
        throw UsageError{Texts::tr("--history、--replay、--export は一つだけ指定して下さい。")};
    const auto entryId = [](const QString &text) {
        bool ok = false;
        const qint64 id = text.trimmed().toLongLong(&ok);
        if (!ok || id < 1)
            throw UsageError{Texts::tr("履歴の番号は 1 以上の整数で指定して下さい: %1").arg(text)};
        return id;
    };
    if (p.isSet(opt.history)) {
        o.mode = SendOptions::Mode::History;
        if (args.size() > 1)
            throw UsageError{Texts::tr("余分な引数があります: %1").arg(args.mid(1).join(QLatin1Char(' ')))};
        bool ok = true;
        if (!args.isEmpty())
            o.historyCount = args[0].trimmed().toInt(&ok);
        if (!ok || o.historyCount < 1)
            throw UsageError{Texts::tr("--history の件数は 1 以上の整数で指定して下さい: %1").arg(args.value(0))};
        return o;
    }
    if (p.isSet(opt.exportEntry)) {
        o.mode = SendOptions::Mode::Export;
        o.entryId = entryId(p.value(opt.exportEntry));
        if (args.size() != 1)
            throw UsageError{Texts::tr("--export には書き出すフォルダを一つ指定して下さい。")};
        o.exportDir = args[0];
        return o;
    }
    if (p.isSet(opt.replay)) {
        // The destination is the recorded one unless given; the request is the recorded bytes.
        o.mode = SendOptions::Mode::Replay;
        o.entryId = entryId(p.value(opt.replay));
        if (args.size() != 0 && args.size() != 2)
            throw UsageError{Texts::tr("--replay の宛先はホストとポートの二つで指定して下さい。")};
        for (const QCommandLineOption *fromFile : {&opt.binary, &opt.crlf})
            if (p.isSet(*fromFile))
                throw UsageError{Texts::tr("--%1 は --replay とは使えません。").arg(fromFile->names().constLast())};
    } else if (args.size() < 2)
        throw UsageError{Texts::tr("接続先のホストとポートを指定して下さい。")};
    if (args.size() > 3)
        throw UsageError{Texts::tr("余分な引数があります: %1").arg(args.mid(3).join(QLatin1Char(' ')))};

    o.host = args.value(0);
    o.portText = args.value(1);
    o.requestPath = args.value(2);
    o.outputPath = p.value(opt.output);
    if (p.isSet(opt.output) && o.outputPath.isEmpty())
        throw UsageError{Texts::tr("-o には書き込むファイルを指定して下さい。")};

    bool ok = false;
    o.timeoutSeconds = p.value(opt.timeout).trimmed().toInt(&ok);
    if (!ok || o.timeoutSeconds < MinTimeout || o.timeoutSeconds > MaxTimeout)
        throw UsageError{Texts::tr("タイムアウトは %1 から %2 までの秒数で指定して下さい: %3")
                             .arg(MinTimeout)
                             .arg(MaxTimeout)
                             .arg(p.value(opt.timeout))};
    if (p.isSet(opt.limit)) {
        o.responseLimit = byteCount(p.value(opt.limit));
        if (o.responseLimit < 0)
            throw UsageError{Texts::tr("--limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1")
                                 .arg(p.value(opt.limit))};
    }
    o.encodingGiven = p.isSet(opt.encoding);
    if (p.isSet(opt.requestLimit)) {
        o.requestLimit = byteCount(p.value(opt.requestLimit));
        if (o.requestLimit < 0)
            throw UsageError{Texts::tr("--request-limit には 1 以上のバイト数を指定して下さい（K、M、G も使えます）: %1")
                                 .arg(p.value(opt.requestLimit))};
    }
    o.encoding = TextCodec::known(p.value(opt.encoding));
    if (o.encoding.isEmpty())
        throw UsageError{Texts::tr("使えないエンコーディングです: %1（%2）")
                             .arg(p.value(opt.encoding),
                                  TextCodec::names().join(Texts::tr("、", "between the items of a list in a sentence")))};

    o.binary = p.isSet(opt.binary);
    o.lfEndsLine = p.isSet(opt.crlf);
    if (o.binary && o.lfEndsLine)
        throw UsageError{Texts::tr("--binary と --crlf は同時に指定できません。")};
    o.fixContentLength = p.isSet(opt.fixLength);
    o.httpEnd = p.isSet(opt.httpEnd);
    o.halfClose = p.isSet(opt.halfClose);
    o.verbose = p.isSet(opt.verbose);
    if (o.verbose && o.json)
        throw UsageError{Texts::tr("--verbose と --json は同時に指定できません。")};

    o.tls.enabled = p.isSet(opt.tls);
    o.tls.verify = !p.isSet(opt.insecure);
    o.tls.caFile = p.value(opt.cacert);
    o.tls.certFile = p.value(opt.cert);
    o.tls.keyFile = p.value(opt.key);
    for (const QCommandLineOption *needsTls : {&opt.insecure, &opt.cacert, &opt.cert, &opt.key})
        if (!o.tls.enabled && p.isSet(*needsTls))
            throw UsageError{Texts::tr("--%1 は --tls と一緒に指定して下さい。").arg(needsTls->names().constLast())};
    if (!o.tls.keyFile.isEmpty() && o.tls.certFile.isEmpty())
        throw UsageError{Texts::tr("--key には --cert も指定して下さい。")};
    o.proxy = ProxyOption::choose(p.isSet(opt.proxy) ? std::optional(p.value(opt.proxy)) : std::nullopt,
                                  p.isSet(opt.noProxy) ? std::optional(p.value(opt.noProxy)) : std::nullopt, o.host);
    return o;
}
