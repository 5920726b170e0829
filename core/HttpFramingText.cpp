// The details window's wording of what HttpFraming found.
#include "core/HttpFraming.h"

namespace {
using Problem = HttpDiagnosis::Problem;
using Framing = HttpDiagnosis::Framing;
using Amount = HttpDiagnosis::Amount;

QString problemText(Problem p)
{
    switch (p) {
    case Problem::StatusLineBad:
        return QStringLiteral("1xx 応答の後がステータス行ではありません");
    case Problem::HeaderTooLong:
        return QStringLiteral("ヘッダーが %1 KiB を超えても終わらないため、解析をやめました")
            .arg(HttpFraming::HeaderLimit / 1024);
    case Problem::ContentLengthNotNumber:
        return QStringLiteral("Content-Length が数値ではありません");
    case Problem::ContentLengthNegative:
        return QStringLiteral("Content-Length が負の値です");
    case Problem::ContentLengthTooLarge:
        return QStringLiteral("Content-Length が大きすぎます");
    case Problem::ContentLengthConflict:
        return QStringLiteral("Content-Length が複数あり、値が食い違っています");
    case Problem::LengthIgnored:
        return QStringLiteral("Transfer-Encoding があるため Content-Length は使われません");
    case Problem::ChunkSizeBad:
        return QStringLiteral("チャンクサイズの行が16進数として読めません");
    case Problem::ChunkSizeTooLarge:
        return QStringLiteral("チャンクサイズが大きすぎます");
    case Problem::ChunkEndBad:
        return QStringLiteral("チャンクのデータの後に改行がありません");
    case Problem::TrailerTooLong:
        return QStringLiteral("トレーラーが %1 KiB を超えても終わらないため、解析をやめました")
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
        return {QStringLiteral("HTTP/1.x の応答ではありません（受信: %1 バイト）").arg(m_total)};
    if (!isDecided()) {
        return {m_total == 0 ? QStringLiteral("まだ何も受信していません")
                             : QStringLiteral("HTTP の応答かどうか判定できるだけのデータがありません")};
    }
    if (!d.statusLine.isEmpty())
        out << QStringLiteral("ステータス行: %1").arg(d.statusLine);
    if (d.interimResponses > 0)
        out << QStringLiteral("中間応答 (1xx) を %1 件読み飛ばしました").arg(d.interimResponses);

    if (!d.headerComplete) {
        out << QStringLiteral("ヘッダー: %1 バイト受信、終わりの空行は%2")
                   .arg(d.headerBytes)
                   .arg(closed ? QStringLiteral("届かないまま接続が閉じられました")
                               : QStringLiteral("まだ届いていません"));
    } else {
        out << QStringLiteral("ヘッダー: %1 バイト / 本文: %2 バイト").arg(d.headerBytes).arg(d.bodyBytes);
    }

    const qint64 extra = m_completeAt >= 0 ? m_total - m_completeAt : 0;
    const QString extraText = QStringLiteral("応答の終わりの後に %1 バイトの余分なデータがあります").arg(extra);
    switch (d.framing) {
    case Framing::Unknown:
        break;
    case Framing::NoBody:
        out << QStringLiteral("本文なし（%1）")
                   .arg(m_head ? QStringLiteral("HEAD 要求への応答") : QStringLiteral("ステータス %1").arg(d.statusCode));
        if (d.contentLength)
            out << QStringLiteral("Content-Length: %1（本文を伴わない応答のため長さは参考値）").arg(*d.contentLength);
        if (d.amount == Amount::Longer)
            out << extraText;
        break;
    case Framing::Length: {
        const qint64 want = *d.contentLength;
        QString verdict;
        if (d.amount == Amount::Exact)
            verdict = QStringLiteral("一致");
        else if (d.amount == Amount::Longer)
            verdict = QStringLiteral("超過: %1 バイト多い").arg(d.bodyBytes - want);
        else if (closed)
            verdict = QStringLiteral("不足: 接続が途中で閉じられました");
        else
            verdict = QStringLiteral("不足: 残り %1 バイト").arg(want - d.bodyBytes);
        out << QStringLiteral("Content-Length: %1 / 受信した本文: %2 バイト（%3）").arg(want).arg(d.bodyBytes).arg(verdict);
        break;
    }
    case Framing::Chunked: {
        QString line = !d.lastChunkReceived ? QStringLiteral("チャンク形式: 終端チャンク未受信")
                       : m_completeAt >= 0
                           ? QStringLiteral("チャンク形式: 終端チャンクを受信済み")
                           : QStringLiteral("チャンク形式: 終端チャンクを受信済み（トレーラーの終わりは未受信）");
        if (closed && m_completeAt < 0)
            line += QStringLiteral("、接続が途中で閉じられました");
        out << line;
        if (d.amount == Amount::Longer)
            out << extraText;
        break;
    }
    case Framing::UntilClose:
        if (d.statusCode == 101)
            out << QStringLiteral("プロトコルが切り替わったため、以降は HTTP として読みません");
        else if (!m_broken)
            out << QStringLiteral("長さの指定がないため、接続が閉じられるまでが本文です");
        break;
    }

    if (!d.charset.isEmpty())
        out << QStringLiteral("Content-Type の文字コード: %1").arg(d.charset);
    for (Problem p : d.problems)
        out << QStringLiteral("問題: %1").arg(problemText(p));
    if (m_broken)
        out << QStringLiteral("応答の終わりが判断できないため、接続が閉じられるまでを応答とみなします");
    return out;
}
