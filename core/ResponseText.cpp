#include "core/ResponseText.h"

#include "core/LargeMemory.h"
#include "core/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

using EncodedChars::Kind;

constexpr int EscapeTries = 64; // invalid escape sequences passed over looking back
constexpr int EscapeCacheSize = 100000;

constexpr qint64 HugeText = qint64(8) << 20;

// The text of megabytes of bytes (a copy of the whole response), written
// into a buffer in huge pages where the system allows them.
QString decodeLarge(QStringDecoder &d, QByteArrayView b)
{
    QString out;
    out.resize(d.requiredSpace(b.size()));
    LargeMemory::preferHugePages(out.constData(), out.size() * qint64(sizeof(QChar)));
    const QChar *end = d.appendToBuffer(out.data(), b);
    out.resize(end - out.constData());
    return out;
}

bool isAscii(QByteArrayView b)
{
    return std::all_of(b.begin(), b.end(), [](char c) { return uchar(c) < 0x80; });
}

qsizetype codePoints(const QString &s)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!(s[i].isLowSurrogate() && i > 0 && s[i - 1].isHighSurrogate()))
            ++n;
    }
    return n;
}

} // namespace

qint64 ResponseText::Piece::byteAt(qsizetype index) const
{
    index = qBound<qsizetype>(0, index, text.size());
    return starts.isEmpty() ? qint64(index) : qint64(starts[index]);
}

qsizetype ResponseText::Piece::indexOf(qint64 offset) const
{
    if (starts.isEmpty())
        return qBound<qint64>(0, offset, text.size());
    const auto it = std::upper_bound(starts.cbegin(), starts.cend(), offset);
    qsizetype i = qBound<qsizetype>(0, (it - starts.cbegin()) - 1, text.size());
    if (i > 0 && i < text.size() && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
        --i;
    return i;
}

void ResponseText::attach(const QByteArray *bytes)
{
    m_bytes = bytes;
    m_index.attach(bytes);
    clear();
}

void ResponseText::clear()
{
    m_index.clear();
    m_ended = false;
    m_escapes.clear();
}

void ResponseText::update()
{
    m_index.update();
}

void ResponseText::setEncoding(const QString &name)
{
    m_encoding = TextCodec::normalized(name);
    m_kind = EncodedChars::kindOf(m_encoding);
}

QByteArrayView ResponseText::bytes(qint64 from, qint64 to) const
{
    return QByteArrayView(m_index.data() + from, to - from);
}

int ResponseText::escapeLength(qint64 at) const
{
    const auto known = m_escapes.constFind(at);
    if (known != m_escapes.cend())
        return *known;
    const QByteArrayView all = bytes(0, size());
    int len = EncodedChars::escapeShape(all, at);
    // An escape sequence the decoder takes changes its state and says nothing.
    if (len > 0 && !StreamDecoder(m_encoding).decode(all.sliced(at, len)).isEmpty())
        len = 0;
    if (m_escapes.size() >= EscapeCacheSize)
        m_escapes.clear();
    m_escapes.insert(at, len);
    return len;
}

ResponseText::Seed ResponseText::seedAt(qint64 pos) const
{
    Seed s;
    if (m_kind != Kind::Iso2022Jp)
        return s;
    qint64 e = m_index.lastEscapeBefore(pos);
    for (int tries = 0; e >= 0 && tries < EscapeTries; ++tries, e = m_index.lastEscapeBefore(e)) {
        const int len = escapeLength(e);
        if (len == 0 || e + len > pos)
            continue;
        s.escape = e;
        s.length = len;
        s.bytes = bytes(e, e + len).toByteArray();
        s.sameLine = m_index.lineOf(e) == m_index.lineOf(pos);
        // The decoder goes back to a one-byte set at a line end; the line end
        // after the sequence does the same to the fresh decoder.
        if (!s.sameLine)
            s.bytes += '\n';
        s.twoByte = s.sameLine && EncodedChars::selectsTwoBytes(s.bytes);
        break;
    }
    return s;
}

QString ResponseText::decode(qint64 from, qint64 to, bool finish) const
{
    const QByteArrayView b = bytes(from, to);
    if (m_kind == Kind::Latin1 || (m_kind == Kind::Utf8 && finish)) {
        // In UTF-8 an unfinished character reads as one U+FFFD a byte, as it
        // does before any other byte, so that text cut anywhere reads the same.
        QStringDecoder d(m_kind == Kind::Latin1 ? QStringConverter::Latin1 : QStringConverter::Utf8,
                         QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return b.size() < HugeText ? d.decode(b) : decodeLarge(d, b);
    }
    // The legacy decoders say SUB for an invalid byte, which tells from a SUB
    // in the bytes only where the bytes hold none: a real one is read apart.
    const qsizetype sub = b.indexOf('\x1A');
    if (sub >= 0) {
        QString s = sub > 0 ? decode(from, from + sub, true) : QString();
        s += QChar(0x1A);
        if (from + sub + 1 < to)
            s += decode(from + sub + 1, to, finish);
        return s;
    }
    StreamDecoder d(m_encoding);
    // A range that starts with an escape sequence sets its own state; the
    // decoder would take a sequence right after the seed's for an empty one.
    if (m_kind == Kind::Iso2022Jp && !(b.startsWith('\x1B') && escapeLength(from) > 0))
        d.decode(seedAt(from).bytes);
    QString s = d.decode(b);
    if (finish)
        s += d.finish();
    return s;
}

QString ResponseText::text(qint64 from, qint64 to) const
{
    from = qBound<qint64>(0, from, size());
    to = qBound<qint64>(from, to, size());
    if (from == to)
        return QString();
    const bool finish = finishesAt(to);
    QString s;
    // ISO-2022-JP's state at a line start is set for each line, so that a
    // line reads the same whatever range it is read in.
    if (m_kind != Kind::Iso2022Jp) {
        s = decode(from, to, finish);
        if (m_kind == Kind::Utf8 || m_kind == Kind::Latin1)
            return s; // these never take a line end into a character
        const QByteArrayView b = bytes(from, to);
        if (s.count(QLatin1Char('\r')) == std::count(b.begin(), b.end(), '\r')
            && s.count(QLatin1Char('\n')) == std::count(b.begin(), b.end(), '\n'))
            return s;
    }
    // An invalid sequence took a line end with it: each line on its own,
    // its line end apart (CR and LF are the same bytes in every encoding here).
    QString out;
    out.reserve(s.size());
    for (qint64 p = from; p < to;) {
        const LineIndex::Line l = m_index.lineAt(p);
        const qint64 end = qMin(to, qMax(l.end, p));
        if (end > p)
            out += decode(p, end, end < to || finish);
        const qint64 next = qMin(to, qMax(l.next, end + 1));
        out += QString::fromLatin1(bytes(end, next));
        p = next;
    }
    return out;
}

// Where each UTF-16 unit of text begins in bytes, from where the decoder's
// characters begin; false when the two do not match.
bool ResponseText::mapUnits(const QString &text, const EncodedChars::Starts &st, qint64 offset, QList<qint32> &units)
{
    if (codePoints(text) != st.at.size())
        return false;
    qsizetype k = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool low = text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate();
        units.append(low ? units.last() : qint32(offset + st.at[k++]));
    }
    return true;
}

ResponseText::Piece ResponseText::piece(qint64 from, qint64 to) const
{
    Piece p;
    from = qBound<qint64>(0, from, size());
    to = qBound<qint64>(from, to, size());
    if (from == to)
        return p;
    const bool finish = finishesAt(to);
    const QByteArrayView b = bytes(from, to);
    p.text = decode(from, to, finish);
    if (m_kind == Kind::Latin1 || (m_kind != Kind::Iso2022Jp && p.text.size() == b.size() && isAscii(b))) {
        p.read = b.size();
        return p;
    }
    const auto escape = [this, from](qsizetype i) { return escapeLength(from + i); };
    const EncodedChars::Starts st = EncodedChars::starts(m_kind, b, finish, seedAt(from).twoByte, escape);
    p.starts.reserve(p.text.size() + 1);
    if (mapUnits(p.text, st, 0, p.starts)) {
        p.read = st.read;
        p.starts.append(qint32(p.read));
        return p;
    }
    // The decoder read some invalid bytes otherwise than expected. Read in
    // stretches that end before a byte no invalid sequence can take in, so
    // that only the stretch where that happened is mapped approximately.
    const auto spread = [](QList<qint32> &units, qint64 offset, qsizetype count, qint64 bytes) {
        for (qsizetype i = 0; i < count; ++i)
            units.append(qint32(offset + bytes * i / qMax<qsizetype>(1, count)));
    };
    const uchar sync = m_kind == Kind::ShiftJis ? 0x40 : 0x80;
    QString joined;
    QList<qint32> units;
    qint64 read = 0;
    if (m_kind != Kind::Iso2022Jp) {
        for (qint64 a = 0; a < b.size();) {
            qint64 z = qMin<qint64>(b.size(), a + 64);
            while (z < b.size() && uchar(b[z]) >= sync)
                ++z;
            const bool last = z == b.size();
            const QString t = decode(from + a, from + z, last ? finish : true);
            const EncodedChars::Starts part = EncodedChars::starts(m_kind, b.sliced(a, z - a), last ? finish : true);
            if (!mapUnits(t, part, a, units))
                spread(units, a, t.size(), last && !finish ? part.read : z - a);
            read = last ? a + (finish ? z - a : part.read) : z;
            joined += t;
            a = z;
        }
    }
    if (joined != p.text) {
        units.clear();
        read = finish ? b.size() : st.read;
        spread(units, 0, p.text.size(), read);
    }
    p.starts = units;
    p.read = read;
    p.starts.append(qint32(p.read));
    return p;
}

qint64 ResponseText::boundaryAtOrBefore(qint64 pos) const
{
    pos = qBound<qint64>(0, pos, size());
    const LineIndex::Line l = m_index.lineAt(pos);
    if (pos <= l.begin)
        return l.begin;
    if (pos >= l.end)
        return l.end;
    if (m_kind == Kind::Iso2022Jp) {
        // Inside an escape sequence: it belongs to the character after it.
        const qint64 e = m_index.lastEscapeBefore(pos + 1);
        if (e >= l.begin && e + escapeLength(e) > pos)
            return e;
        const Seed seed = seedAt(pos);
        qint64 b = pos;
        if (seed.twoByte) {
            const qint64 base = seed.escape + seed.length;
            b = base + (pos - base) / 2 * 2;
        }
        // Escape sequences right before a character belong to it.
        for (qint64 e = m_index.lastEscapeBefore(b); e >= l.begin && e + escapeLength(e) == b;
             e = m_index.lastEscapeBefore(b))
            b = e;
        return b;
    }
    return l.begin + EncodedChars::boundaryAtOrBefore(m_kind, bytes(l.begin, l.end), pos - l.begin);
}

bool ResponseText::showsUndecodable(const QString &whole) const
{
    const qsizetype shown = whole.count(QChar(QChar::ReplacementCharacter));
    if (shown == 0)
        return false;
    qsizetype encoded = 0;
    if (m_kind == Kind::Utf8) {
        const QByteArrayView b = bytes(0, size());
        for (qsizetype i = b.indexOf("\xEF\xBF\xBD"); i >= 0; i = b.indexOf("\xEF\xBF\xBD", i + 3))
            ++encoded;
    }
    return shown > encoded;
}
