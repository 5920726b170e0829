// The request-file line reader, fed in arbitrary pieces, must give exactly what
// a plain reading of the whole file gives.
#include "core/RequestLines.h"

#include <cstdint>
#include <cstdlib>

namespace {
// Lines end at CR LF or a lone CR; a lone LF is part of its line; each line is
// followed by CR LF; nothing follows a file that ends with a line end.
QByteArray reference(const QByteArray &in)
{
    QByteArray out, line;
    bool open = false;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\r') {
            out += line + "\r\n";
            line.clear();
            open = false;
            if (i + 1 < in.size() && in[i + 1] == '\n')
                ++i;
        } else {
            line += in[i];
            open = true;
        }
    }
    if (open)
        out += line + "\r\n";
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the piece sizes; the rest is the file.
    const unsigned seed = data[0];
    const QByteArray file(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    RequestLines lines;
    QByteArray out;
    qsizetype pos = 0;
    unsigned s = seed | 1;
    while (pos < file.size()) {
        s = s * 1103515245u + 12345u;
        const qsizetype n = 1 + static_cast<qsizetype>((s >> 16) % 7);
        out += lines.feed(file.mid(pos, n));
        pos += n;
    }
    out += lines.finish();
    if (out != reference(file))
        std::abort();
    return 0;
}
