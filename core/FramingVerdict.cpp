#include "core/FramingVerdict.h"

#include "core/HttpFraming.h"

#include <QLocale>

FramingVerdict FramingVerdict::of(const HttpFraming &f)
{
    using Framing = HttpDiagnosis::Framing;
    using Amount = HttpDiagnosis::Amount;
    FramingVerdict v;
    if (!f.isHttp())
        return v;
    const HttpDiagnosis d = f.diagnosis();
    if (!d.headerComplete) {
        v.kind = Kind::Short;
        v.missing = Where::Header;
        return v;
    }
    if (d.framing == Framing::Unknown)
        return v;
    // A framing fault leaves the amount unknown: only the close ended it.
    if (d.framing == Framing::UntilClose || d.amount == Amount::Unknown) {
        v.kind = Kind::UntilClose;
        return v;
    }
    const bool byLength = d.framing == Framing::Length;
    switch (d.amount) {
    case Amount::Exact:
        v.kind = Kind::Complete;
        break;
    case Amount::Longer:
        v.kind = Kind::Extra;
        v.bytes = byLength ? d.bodyBytes - *d.contentLength : f.totalBytes() - f.completeAt();
        break;
    case Amount::Short:
        v.kind = Kind::Short;
        if (byLength)
            v.bytes = *d.contentLength - d.bodyBytes;
        else if (d.framing == Framing::Chunked)
            v.missing = Where::LastChunk;
        break;
    case Amount::Unknown:
        break;
    }
    return v;
}

QString FramingVerdict::text() const
{
    const QString n = QLocale::c().toString(bytes);
    switch (kind) {
    case Kind::None:
        break;
    case Kind::Complete:
        return tr("完全");
    case Kind::Short:
        if (bytes >= 0)
            return tr("不足 %1 バイト").arg(n);
        if (missing == Where::Header)
            return tr("不足（ヘッダーの途中まで）");
        if (missing == Where::LastChunk)
            return tr("不足（終端チャンクなし）");
        return tr("不足");
    case Kind::Extra:
        return tr("余分 %1 バイト").arg(n);
    case Kind::UntilClose:
        return tr("閉じるまで");
    }
    return QString();
}
