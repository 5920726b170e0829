#include "core/ReadableBody.h"

#include <QCoreApplication>
#include <QLocale>

namespace {
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ReadableBody)
};
} // namespace

ReadableBody readBody(const QByteArray &response, const ReadableSetup &setup, const std::atomic_bool *cancel)
{
    ReadableBody r;
    const auto cancelled = [&] { return cancel && cancel->load(std::memory_order_relaxed); };
    r.body = extractBody(response, setup.limit, setup.headRequest);
    if (cancelled()) {
        r.cancelled = true;
        return r;
    }
    r.text = decodeBody(r.body.bytes, r.body.charset, setup.chosenEncoding, ReadableBody::MaxFormatBytes);
    r.body.bytes = QByteArray();
    if (cancelled()) {
        r.cancelled = true;
        return r;
    }
    r.formatted = BodyFormat::format(r.text.text, r.body.contentType, cancel);
    if (r.formatted.cancelled) {
        r.cancelled = true;
        return r;
    }
    if (r.formatted.kind == BodyFormat::Kind::Xml)
        r.fault = findSoapFault(r.text.text);
    r.text.text = QString();
    return r;
}

QStringList ReadableBody::about() const
{
    QStringList lines;
    lines << text.describe();
    switch (formatted.kind) {
    case BodyFormat::Kind::Xml:
        lines << (formatted.failed ? Texts::tr("XML として整形しました（構文エラーの所まで）")
                                   : Texts::tr("XML として整形しました"));
        break;
    case BodyFormat::Kind::Json:
        lines << (formatted.failed ? Texts::tr("JSON として整形しました（構文エラーの所まで）")
                                   : Texts::tr("JSON として整形しました"));
        break;
    case BodyFormat::Kind::Text:
        lines << Texts::tr("XML でも JSON でもないため、そのまま表示しています");
        break;
    }
    lines << body.notes;
    if (text.cut)
        lines << Texts::tr("本文が %1 を超えるため、先頭の %1 だけを表示しています")
                     .arg(QLocale::c().formattedDataSize(MaxFormatBytes, 0, QLocale::DataSizeIecFormat));
    return lines;
}
