#include "cli/RequestContentLength.h"

#include "core/ContentLength.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(RequestContentLength)
};

} // namespace

RequestContentLength::Result RequestContentLength::fix(const QByteArray &request, const QString &encoding)
{
    // One character per byte: positions in the text are offsets in the bytes,
    // and the edits, being ASCII, turn back into bytes unchanged.
    const QString text = QString::fromLatin1(request);
    bool bodyIsText = true;
    const ContentLength::Result r = ContentLength::fix(text, [&](QStringView body) {
        const QByteArray bytes = body.toLatin1();
        QStringDecoder decoder(encoding.toLatin1().constData());
        (void)decoder.decode(bytes);
        bodyIsText = !decoder.hasError();
        // What goes on the wire is these bytes, whatever the encoding says.
        return qint64(bytes.size());
    });
    Result out;
    out.request = r.applicable ? ContentLength::apply(text, r.edits).toLatin1() : request;
    out.notes << r.note;
    if (r.applicable && !bodyIsText)
        out.notes << Texts::tr("本文には %1 として正しくないバイトがあります。Content-Length は送信するバイト数です。")
                         .arg(encoding);
    return out;
}
