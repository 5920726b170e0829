#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// Decompresses a gzip or deflate body with zlib, never past a limit: a small
// body that expands without end stops at the limit instead of filling memory.
namespace Inflate {
enum class Format {
    Gzip,    // one or more gzip members
    Deflate, // HTTP's "deflate": zlib-wrapped, or raw deflate as some servers send it
};
enum class End {
    Complete,  // the stream ended where the input did
    Limit,     // the output reached the limit and was cut there
    Truncated, // the input ended inside the stream
    Corrupt,   // the input is not (or stops being) such a stream
    Trailing,  // the stream ended before the input did: the rest is not part of it
};

struct Result
{
    QByteArray bytes;
    End end = End::Complete;
    qint64 inputUsed = 0; // compressed bytes read
};

Result inflate(QByteArrayView input, Format format, qint64 limit);
}
