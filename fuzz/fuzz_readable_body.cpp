// Reading a response's body: arbitrary bytes never crash or hang the
// extraction, decompression, decoding, layout or fault search, and a layout
// that reports no error keeps every character but the blanks between parts.
#include "core/ReadableBody.h"

#include <cstdint>
#include <cstdlib>

namespace {
QString printing(const QString &s)
{
    QString out;
    for (QChar c : s)
        if (!c.isSpace() && c != QChar(0xFEFF))
            out += c;
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    if (data[0] & 1) {
        const QString text = QString::fromUtf8(bytes);
        const BodyFormat::Result r = BodyFormat::format(text, QString());
        if (!r.failed && printing(r.text) != printing(text))
            std::abort();
        return 0;
    }
    ReadableSetup setup;
    setup.limit = 1 << 20;
    setup.chosenEncoding = (data[0] & 2) ? QStringLiteral("Shift_JIS") : QStringLiteral("UTF-8");
    const ReadableBody r = readBody(bytes, setup);
    (void)r.about();
    (void)soapFaultInResponse(bytes, setup.chosenEncoding);
    return 0;
}
