// The details window's wording of what HttpFraming found.
#include "core/HttpFraming.h"

#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HttpFraming)
};

using Problem = HttpDiagnosis::Problem;
using Framing = HttpDiagnosis::Framing;
using Amount = HttpDiagnosis::Amount;

QString problemText(Problem p)
{
    switch (p) {
    case Problem::StatusLineBad:
        return Texts::tr("1xx 応答の後がステータス行ではありません");
    case Problem::HeaderTooLong:
        return Texts::tr("ヘッダーが %1 KiB を超えても終わらないため、解析をやめました").arg(HttpFraming::HeaderLimit / 1024);
    case Problem::ContentLengthNotNumber:
        return Texts::tr("Content-Length が数値ではありません");
    case Problem::ContentLengthNegative:
        return Texts::tr("Content-Length が負の値です");
    case Problem::ContentLengthTooLarge:
        return Texts::tr("Content-Length が大きすぎます");
    case Problem::ContentLengthConflict:
        return Texts::tr("Content-Length が複数あり、値が食い違っています");
    case Problem::LengthIgnored:
        return Texts::tr("Transfer-Encoding があるため Content-Length は使われません");
    case Problem::ChunkSizeBad:
        return Texts::tr("チャンクサイズの行が16進数として読めません");
    case Problem::ChunkSizeTooLarge:
        return Texts::tr("チャンクサイズが大きすぎます");
    case Problem::ChunkEndBad:
        return Texts::tr("チャンクのデータの後に改行がありません");
    case Problem::TrailerTooLong:
        return Texts::tr("トレーラーが %1 KiB を超えても終わらないため、解析をやめました")
            .arg(HttpFraming::HeaderLimit / 1024);
    }
    return {};
}
} // namespace

QStringList HttpFraming::describe(bool closed) const
{
    const HttpDiagnosis d = diagnosis();
    QStringList out;
    if (m_notHttp)
        return {Texts::tr("HTTP/1.x の応答ではありません（受信: %1 バイト）").arg(m_total)};
    if (!isDecided()) {
        return {m_total == 0 ? Texts::tr("まだ何も受信していません")
                             : Texts::tr("HTTP の応答かどうか判定できるだけのデータがありません")};
    }
    if (!d.statusLine.isEmpty())
        out << Texts::tr("ステータス行: %1").arg(d.statusLine);
    if (d.interimResponses > 0)
        out << Texts::tr("中間応答 (1xx) を %1 件読み飛ばしました").arg(d.interimResponses);

    if (!d.headerComplete) {
        out << (closed ? Texts::tr("ヘッダー: %1 バイト受信、終わりの空行は届かないまま接続が閉じられました")
                       : Texts::tr("ヘッダー: %1 バイト受信、終わりの空行はまだ届いていません"))
                   .arg(d.headerBytes);
    } else {
        out << Texts::tr("ヘッダー: %1 バイト / 本文: %2 バイト").arg(d.headerBytes).arg(d.bodyBytes);
    }

    const qint64 extra = m_completeAt >= 0 ? m_total - m_completeAt : 0;
    const QString extraText = Texts::tr("応答の終わりの後に %1 バイトの余分なデータがあります").arg(extra);
    switch (d.framing) {
    case Framing::Unknown:
        break;
    case Framing::NoBody:
        out << Texts::tr("本文なし（%1）")
                   .arg(m_head ? Texts::tr("HEAD 要求への応答") : Texts::tr("ステータス %1").arg(d.statusCode));
        if (d.contentLength)
            out << Texts::tr("Content-Length: %1（本文を伴わない応答のため長さは参考値）").arg(*d.contentLength);
        if (d.amount == Amount::Longer)
            out << extraText;
        break;
    case Framing::Length: {
        const qint64 want = *d.contentLength;
        QString verdict;
        if (d.amount == Amount::Exact)
            verdict = Texts::tr("一致");
        else if (d.amount == Amount::Longer)
            verdict = Texts::tr("超過: %1 バイト多い").arg(d.bodyBytes - want);
        else if (closed)
            verdict = Texts::tr("不足: 接続が途中で閉じられました");
        else
            verdict = Texts::tr("不足: 残り %1 バイト").arg(want - d.bodyBytes);
        out << Texts::tr("Content-Length: %1 / 受信した本文: %2 バイト（%3）").arg(want).arg(d.bodyBytes).arg(verdict);
        break;
    }
    case Framing::Chunked: {
        const bool cut = closed && m_completeAt < 0;
        if (!d.lastChunkReceived)
            out << (cut ? Texts::tr("チャンク形式: 終端チャンク未受信、接続が途中で閉じられました")
                        : Texts::tr("チャンク形式: 終端チャンク未受信"));
        else if (m_completeAt >= 0)
            out << Texts::tr("チャンク形式: 終端チャンクを受信済み");
        else
            out << (cut ? Texts::tr(
                        "チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）、接続が途中で閉じられました")
                        : Texts::tr("チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）"));
        if (d.amount == Amount::Longer)
            out << extraText;
        break;
    }
    case Framing::UntilClose:
        if (d.statusCode == 101)
            out << Texts::tr("プロトコルが切り替わったため、以降は HTTP として読みません");
        else if (!m_broken)
            out << Texts::tr("長さの指定がないため、接続が閉じられるまでが本文です");
        break;
    }

    if (!d.charset.isEmpty())
        out << Texts::tr("Content-Type の文字コード: %1").arg(d.charset);
    for (Problem p : d.problems)
        out << Texts::tr("問題: %1").arg(problemText(p));
    if (m_broken)
        out << Texts::tr("応答の終わりが判断できないため、接続が閉じられるまでを応答とみなします");
    return out;
}
