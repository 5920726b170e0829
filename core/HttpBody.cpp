#include "core/HttpBody.h"

#include "core/HttpFraming.h"
#include "core/Inflate.h"

#include <QCoreApplication>
#include <QLocale>

namespace {
using Framing = HttpDiagnosis::Framing;
using Amount = HttpDiagnosis::Amount;
using Problem = HttpDiagnosis::Problem;

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HttpBody)
};

QString number(qint64 n)
{
    return QLocale::c().toString(n);
}

// Content-Encoding lists the codings in the order they were applied.
void decode(HttpBody &b, const QString &codings, qint64 limit)
{
    QStringList list = codings.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        const QString coding = list[i].trimmed().toLower();
        Inflate::Format format;
        if (coding == QLatin1String("gzip") || coding == QLatin1String("x-gzip"))
            format = Inflate::Format::Gzip;
        else if (coding == QLatin1String("deflate"))
            format = Inflate::Format::Deflate;
        else if (coding == QLatin1String("identity") || coding.isEmpty())
            continue;
        else {
            b.notes << Texts::tr("Content-Encoding の %1 は展開できないため、受信したまま表示します").arg(coding);
            return;
        }
        const qint64 before = b.bytes.size();
        Inflate::Result r = Inflate::inflate(b.bytes, format, limit);
        if (r.end == Inflate::End::Corrupt && r.bytes.isEmpty()) {
            b.notes << Texts::tr("本文は %1 として展開できないため、受信したまま表示します").arg(coding);
            return;
        }
        b.bytes = std::move(r.bytes);
        b.notes << Texts::tr("%1 を展開しました（%2 バイト → %3 バイト）")
                       .arg(coding, number(before), number(b.bytes.size()));
        switch (r.end) {
        case Inflate::End::Complete:
            break;
        case Inflate::End::Limit:
            b.cut = true;
            b.notes << Texts::tr("展開した本文が応答の上限 %1 に達したため、そこで展開を打ち切りました")
                           .arg(QLocale::c().formattedDataSize(limit, 0, QLocale::DataSizeIecFormat));
            return;
        case Inflate::End::Truncated:
            b.notes << Texts::tr("圧縮データが途中で終わっています。展開できたところまでを表示します");
            break;
        case Inflate::End::Corrupt:
            b.notes << Texts::tr("圧縮データが %1 バイト目で壊れています。展開できたところまでを表示します")
                           .arg(number(r.inputUsed + 1));
            break;
        case Inflate::End::Trailing:
            b.notes << Texts::tr("圧縮データの後の %1 バイトは表示しません").arg(number(before - r.inputUsed));
            break;
        }
    }
}

} // namespace

HttpBody extractBody(QByteArrayView response, qint64 limit, bool headRequest)
{
    HttpBody b;
    HttpFraming f;
    f.reset(headRequest);
    b.bytes.reserve(response.size()); // the body is never longer than the response
    f.setBodySink([&b](QByteArrayView piece) { b.bytes.append(piece); });
    f.feed(response);
    const HttpDiagnosis d = f.diagnosis();
    if (!f.isHttp() || !d.headerComplete) {
        b.bytes = response.toByteArray();
        b.notes << (f.isHttp() ? Texts::tr("ヘッダーが終わっていないため、受信したバイト列全体を本文として扱います")
                               : Texts::tr("HTTP/1.x の応答ではないため、受信したバイト列全体を本文として扱います"));
        return b;
    }
    b.http = true;
    b.contentType = d.contentType;
    b.charset = d.charset;
    const bool broken = d.problems.contains(Problem::ChunkSizeBad) || d.problems.contains(Problem::ChunkSizeTooLarge)
                        || d.problems.contains(Problem::ChunkEndBad);
    switch (d.framing) {
    case Framing::Unknown:
        break;
    case Framing::NoBody:
        b.notes << Texts::tr("本文のない応答です");
        break;
    case Framing::Length:
        if (d.amount == Amount::Short) {
            b.notes << Texts::tr("Content-Length は %1 バイトですが、届いた本文は %2 バイトです")
                           .arg(number(*d.contentLength), number(d.bodyBytes));
        } else if (d.amount == Amount::Longer) {
            // A Content-Length that is too small: what follows is the rest of
            // the body unless it is another response.
            const QByteArrayView extra = response.sliced(f.completeAt());
            if (extra.startsWith("HTTP/1.")) {
                b.notes << Texts::tr("応答の後に別の応答が %1 バイト続いています（表示しません）").arg(number(extra.size()));
            } else {
                b.bytes.append(extra);
                b.notes << Texts::tr(
                               "Content-Length（%1 バイト）の後にも %2 バイト届いたため、接続が閉じるまでを本文とします")
                               .arg(number(*d.contentLength), number(extra.size()));
            }
        }
        break;
    case Framing::Chunked:
        if (broken)
            b.notes << Texts::tr("チャンクの区切りが読めないため、そこからは受信したまま続けます");
        else if (!d.lastChunkReceived)
            b.notes << Texts::tr("終端チャンクが届いていません。届いたところまでを表示します");
        else if (d.amount == Amount::Longer)
            b.notes << Texts::tr("応答の終わりの後の %1 バイトは表示しません").arg(number(f.totalBytes() - f.completeAt()));
        break;
    case Framing::UntilClose:
        if (d.problems.contains(Problem::ContentLengthNotNumber) || d.problems.contains(Problem::ContentLengthNegative)
            || d.problems.contains(Problem::ContentLengthTooLarge) || d.problems.contains(Problem::ContentLengthConflict))
            b.notes << Texts::tr("Content-Length が使えないため、接続が閉じるまでを本文とします");
        break;
    }
    if (!d.contentEncoding.isEmpty() && !b.bytes.isEmpty())
        decode(b, d.contentEncoding, limit);
    return b;
}
