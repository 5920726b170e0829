#include "core/Inflate.h"

#include <zlib.h>

namespace {

constexpr qint64 OutPiece = 256 * 1024;
// zlib counts in unsigned int.
constexpr qint64 InPiece = qint64(1) << 30;

// One pass of zlib over the input with the given window bits.
Inflate::Result run(QByteArrayView input, int windowBits, bool gzip, qint64 limit)
{
    Inflate::Result r;
    z_stream z{};
    if (inflateInit2(&z, windowBits) != Z_OK) {
        r.end = Inflate::End::Corrupt;
        return r;
    }
    const auto *in = reinterpret_cast<const Bytef *>(input.data());
    qint64 used = 0;
    for (;;) {
        if (z.avail_in == 0 && used < input.size()) {
            const qint64 n = qMin(InPiece, input.size() - used);
            z.next_in = const_cast<Bytef *>(in + used);
            z.avail_in = uInt(n);
            used += n;
        }
        // One byte past the limit tells a stream that ends at it from one that goes on.
        const qint64 room = qMin(OutPiece, limit + 1 - r.bytes.size());
        if (room <= 0)
            break;
        // Doubling ahead: a growing array is copied at each growth otherwise.
        if (r.bytes.capacity() - r.bytes.size() < room)
            r.bytes.reserve(qMax(2 * r.bytes.capacity(), r.bytes.size() + room));
        const qsizetype before = r.bytes.size();
        r.bytes.resize(before + room);
        z.next_out = reinterpret_cast<Bytef *>(r.bytes.data() + before);
        z.avail_out = uInt(room);
        const int rc = ::inflate(&z, Z_NO_FLUSH);
        r.bytes.resize(before + (room - z.avail_out));
        const qint64 consumed = used - z.avail_in;
        if (rc == Z_STREAM_END) {
            const QByteArrayView rest = input.sliced(consumed);
            // Another gzip member continues the same body.
            if (gzip && rest.size() >= 2 && uchar(rest[0]) == 0x1f && uchar(rest[1]) == 0x8b) {
                inflateReset(&z);
                continue;
            }
            r.end = rest.isEmpty() ? Inflate::End::Complete : Inflate::End::Trailing;
            break;
        }
        if (rc == Z_BUF_ERROR || (rc == Z_OK && z.avail_out != 0)) {
            // zlib wants more input.
            if (used < input.size())
                continue;
            r.end = Inflate::End::Truncated;
            break;
        }
        if (rc != Z_OK) {
            r.end = Inflate::End::Corrupt;
            break;
        }
    }
    r.inputUsed = used - z.avail_in;
    inflateEnd(&z);
    if (r.bytes.size() > limit) {
        r.bytes.truncate(limit);
        r.end = Inflate::End::Limit;
    }
    return r;
}

} // namespace

Inflate::Result Inflate::inflate(QByteArrayView input, Format format, qint64 limit)
{
    if (format == Format::Gzip)
        return run(input, 15 + 16, true, limit);
    Result r = run(input, 15, false, limit);
    // Not zlib-wrapped from the first byte: raw deflate, as some servers send it.
    if (r.end == End::Corrupt && r.bytes.isEmpty())
        r = run(input, -15, false, limit);
    return r;
}
