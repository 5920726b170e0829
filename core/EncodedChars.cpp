#include "core/EncodedChars.h"

#include "core/TextCodec.h"

#include <QString>

namespace {

constexpr qsizetype LookBack = 4096;

uchar at(QByteArrayView b, qsizetype i)
{
    return uchar(b[i]);
}

bool continuation(uchar c)
{
    return (c & 0xC0) == 0x80;
}

// The length of a UTF-8 character led by c, and the range its second byte
// must fall in (no overlong forms, no surrogates, nothing past U+10FFFF).
int utf8Need(uchar c, uchar *low, uchar *high)
{
    *low = 0x80;
    *high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        return 2;
    if (c >= 0xE0 && c <= 0xEF) {
        if (c == 0xE0)
            *low = 0xA0;
        else if (c == 0xED)
            *high = 0x9F;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (c == 0xF0)
            *low = 0x90;
        else if (c == 0xF4)
            *high = 0x8F;
        return 4;
    }
    return 0;
}

// How many bytes from i form a valid UTF-8 character (0: not one). *partial
// is set when the bytes end inside what could still become one.
int utf8Length(QByteArrayView b, qsizetype i, bool *partial)
{
    *partial = false;
    uchar low, high;
    const int need = utf8Need(at(b, i), &low, &high);
    if (need == 0)
        return 0;
    for (int k = 1; k < need; ++k) {
        if (i + k >= b.size()) {
            *partial = true;
            return 0;
        }
        const uchar c = at(b, i + k);
        if (k == 1 ? (c < low || c > high) : !continuation(c))
            return 0;
    }
    return need;
}

bool sjisLead(uchar c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool sjisTrail(uchar c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool eucByte(uchar c)
{
    return c >= 0xA1 && c <= 0xFE;
}

// Bytes that can neither start an EUC-JP character nor stand alone: the
// decoder takes them into the invalid sequence before them.
bool eucStray(uchar c)
{
    return c == 0xA0 || c == 0xFF;
}

// A byte after which an EUC-JP character always begins.
bool eucSync(uchar c)
{
    return c < 0xA0 && c != 0x8E && c != 0x8F;
}

bool jisByte(uchar c)
{
    return c >= 0x21 && c <= 0x7E;
}

} // namespace

EncodedChars::Kind EncodedChars::kindOf(const QString &encoding)
{
    const QString n = TextCodec::normalized(encoding);
    if (n == QLatin1String("Shift_JIS"))
        return Kind::ShiftJis;
    if (n == QLatin1String("EUC-JP"))
        return Kind::EucJp;
    if (n == QLatin1String("ISO-2022-JP"))
        return Kind::Iso2022Jp;
    if (n == QLatin1String("ISO-8859-1"))
        return Kind::Latin1;
    return Kind::Utf8;
}

int EncodedChars::escapeShape(QByteArrayView b, qsizetype i)
{
    qsizetype k = i + 1;
    while (k < b.size() && k - i <= 3 && at(b, k) >= 0x20 && at(b, k) <= 0x2F)
        ++k;
    if (k < b.size() && at(b, k) >= 0x30 && at(b, k) <= 0x7E)
        return int(k - i + 1);
    return 0;
}

bool EncodedChars::selectsTwoBytes(QByteArrayView sequence)
{
    return sequence.size() >= 3 && sequence[1] == '$';
}

EncodedChars::Starts EncodedChars::starts(Kind kind, QByteArrayView b, bool complete, bool twoByte,
                                          const EscapeLength &escape)
{
    Starts s;
    const qsizetype n = b.size();
    s.at.reserve(n);
    // The byte at j; past the end, a line end when the stream is complete (as
    // the decoders end it), or -1: the character waits for more bytes.
    const auto peek = [&](qsizetype j) -> int { return j < n ? int(at(b, j)) : (complete ? '\n' : -1); };
    qsizetype escapeStart = -1; // an escape sequence waiting for its character
    qsizetype i = 0;
    // A character of len bytes from i; 0: wait for more bytes.
    const auto take = [&](qsizetype len) {
        if (len == 0) {
            s.read = escapeStart >= 0 ? escapeStart : i;
            return false;
        }
        s.at.append(escapeStart >= 0 ? escapeStart : i);
        escapeStart = -1;
        i = qMin(n, i + len);
        return true;
    };
    while (i < n) {
        const uchar c = at(b, i);
        qsizetype len = 1;
        switch (kind) {
        case Kind::Latin1:
            break;
        case Kind::Utf8: {
            if (c < 0x80)
                break;
            uchar low, high;
            const int need = utf8Need(c, &low, &high);
            for (int k = 1; k < need; ++k) {
                const int x = peek(i + k);
                if (x < 0) {
                    len = 0;
                    break;
                }
                if (k == 1 ? (x < low || x > high) : !continuation(uchar(x)))
                    break; // invalid: the lead alone, the rest read again
                if (k == need - 1)
                    len = need;
            }
            break;
        }
        case Kind::ShiftJis:
            if (sjisLead(c)) {
                const int x = peek(i + 1);
                len = x < 0 ? 0 : sjisTrail(uchar(x)) ? 2 : 1;
            }
            break;
        case Kind::EucJp:
            if (c == 0x8E || eucByte(c)) {
                const int x = peek(i + 1);
                const bool fits = x >= 0 && (c == 0x8E ? (x >= 0xA1 && x <= 0xE4) : eucByte(uchar(x)));
                len = x < 0 ? 0 : (fits || eucStray(uchar(x))) ? 2 : 1;
            } else if (c == 0x8F) {
                const int x = peek(i + 1);
                const int y = x >= 0 && eucByte(uchar(x)) ? peek(i + 2) : 0;
                if (x < 0 || y < 0)
                    len = 0;
                else if (eucStray(uchar(x)))
                    len = 2;
                else if (eucByte(uchar(x)) && eucByte(uchar(y)))
                    len = 3;
            }
            break;
        case Kind::Iso2022Jp:
            if (c == 0x1B) {
                const int seq = escape ? escape(i) : 0;
                if (seq > 0) {
                    if (escapeStart < 0)
                        escapeStart = i;
                    twoByte = selectsTwoBytes(b.sliced(i, seq));
                    i += seq;
                    continue;
                }
                qsizetype j = i + 1;
                while (j < n && j - i <= 3 && at(b, j) >= 0x20 && at(b, j) <= 0x2F)
                    ++j;
                if (j >= n && !complete)
                    len = 0; // the rest of the sequence may still come
            } else if (twoByte && jisByte(c)) {
                const int x = peek(i + 1);
                len = x < 0 ? 0 : jisByte(uchar(x)) ? 2 : 1;
            }
            break;
        }
        if (!take(len))
            return s;
    }
    s.read = n;
    return s;
}

qsizetype EncodedChars::boundaryAtOrBefore(Kind kind, QByteArrayView b, qsizetype pos)
{
    if (pos <= 0)
        return 0;
    if (pos >= b.size())
        return b.size();
    switch (kind) {
    case Kind::Latin1:
    case Kind::Iso2022Jp:
        return pos;
    case Kind::Utf8: {
        qsizetype q = pos;
        while (q > 0 && pos - q < 3 && continuation(at(b, q)))
            --q;
        if (q == pos)
            return pos;
        bool partial = false;
        const int len = utf8Length(b, q, &partial);
        return len > 0 && q + len > pos ? q : pos;
    }
    case Kind::ShiftJis: {
        // Every byte that can lead can also trail, so the bytes after the last
        // one that cannot lead pair up from there: pos is a boundary when an
        // even number of them lie before it.
        qsizetype q = pos;
        while (q > 0 && pos - q < LookBack && sjisLead(at(b, q - 1)))
            --q;
        if ((pos - q) % 2 == 0)
            return pos;
        // The byte before pos leads; it takes the byte at pos only if that can trail.
        return sjisTrail(at(b, pos)) ? pos - 1 : pos;
    }
    case Kind::EucJp: {
        // Read forward from just after the last byte that ends every character.
        qsizetype q = pos;
        while (q > 0 && pos - q < LookBack && !eucSync(at(b, q - 1)))
            --q;
        const Starts s = starts(kind, b.sliced(q, pos + 1 - q), true);
        qsizetype best = q;
        for (qsizetype a : s.at) {
            if (q + a > pos)
                break;
            best = q + a;
        }
        return best;
    }
    }
    return pos;
}
