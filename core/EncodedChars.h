#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>

// Where characters begin in encoded bytes, read as the decoders read them:
// so that a character of the text shown can be found in the bytes, and a
// stretch of bytes can be cut where no character is split.
namespace EncodedChars {

enum class Kind { Utf8, Latin1, ShiftJis, EucJp, Iso2022Jp };

// One of TextCodec::names().
Kind kindOf(const QString &encoding);

struct Starts
{
    // The first byte of each character, in order. An invalid byte that the
    // decoder shows as U+FFFD is a character; an escape sequence belongs to the
    // character after it.
    QList<qsizetype> at;
    // Bytes read: all of them, or up to an unfinished character held back.
    qsizetype read = 0;
};

// ISO-2022-JP only: the length of a valid escape sequence at i, or 0.
using EscapeLength = std::function<int(qsizetype i)>;

// complete: the bytes end the stream, so an unfinished character at their
// end is one U+FFFD rather than held back. twoByte: ISO-2022-JP starts in a
// two-byte set.
Starts starts(Kind kind, QByteArrayView bytes, bool complete, bool twoByte = false, const EscapeLength &escape = {});

// The last character boundary at or before pos in bytes that start at a
// boundary (a line start). Looks back a bounded distance; beyond it the
// answer may be off by a byte in a long run of multi-byte characters.
// Not for ISO-2022-JP, whose boundaries depend on its state.
qsizetype boundaryAtOrBefore(Kind kind, QByteArrayView bytes, qsizetype pos);

// Whether an ISO-2022-JP escape sequence selects a two-byte set.
bool selectsTwoBytes(QByteArrayView sequence);
// The length of an escape sequence's shape at i (ESC, intermediates, final), or 0.
int escapeShape(QByteArrayView bytes, qsizetype i);

} // namespace EncodedChars
