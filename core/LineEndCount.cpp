#include "core/LineEndCount.h"

#include <cstring>

LineEndCount countLineEnds(QByteArrayView wire)
{
    LineEndCount c;
    const char *p = wire.data();
    const char *const end = p + wire.size();
    // Jump between line-end bytes: responses can be many MiB of text.
    while (p < end) {
        const auto *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)));
        const char *stop = cr ? cr : end;
        for (const char *lf = p; (lf = static_cast<const char *>(std::memchr(lf, '\n', size_t(stop - lf)))); ++lf)
            ++c.lf;
        if (!cr)
            break;
        if (cr + 1 < end && cr[1] == '\n') {
            ++c.crlf;
            p = cr + 2;
        } else {
            ++c.cr;
            p = cr + 1;
        }
    }
    return c;
}
