// The HTTP framing diagnosis: arbitrary bytes never crash or hang it, and the
// verdict and the joined body do not depend on how the response was cut into arrivals.
#include "core/HttpFraming.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool head = data[0] & 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    HttpFraming whole, pieces;
    QByteArray wholeBody, piecesBody;
    whole.setBodySink([&wholeBody](QByteArrayView b) { wholeBody += b; });
    pieces.setBodySink([&piecesBody](QByteArrayView b) { piecesBody += b; });
    whole.reset(head);
    pieces.reset(head);
    whole.feed(bytes);
    unsigned s = data[0] | 1;
    for (qsizetype pos = 0; pos < bytes.size();) {
        s = s * 1103515245u + 12345u;
        const qsizetype n = qMin<qsizetype>(1 + static_cast<qsizetype>((s >> 16) % 7), bytes.size() - pos);
        pieces.feed(bytes.sliced(pos, n));
        pos += n;
    }
    if (whole.isHttp() != pieces.isHttp() || whole.finalResponseComplete() != pieces.finalResponseComplete()
        || whole.completeAt() != pieces.completeAt() || whole.headerBytes() != pieces.headerBytes()
        || whole.bodyBytes() != pieces.bodyBytes() || wholeBody != piecesBody || wholeBody.size() > bytes.size())
        std::abort();
    if (whole.finalResponseComplete() && (whole.completeAt() < 0 || whole.completeAt() > bytes.size()))
        std::abort();
    (void)whole.describe(true);
    return 0;
}
