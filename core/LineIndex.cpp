#include "core/LineIndex.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr char Cr = '\r';
constexpr char Lf = '\n';
constexpr char Esc = '\x1B';

int lowestBit(quint64 m)
{
    return __builtin_ctzll(m);
}

int highestBit(quint64 m)
{
    return 63 - __builtin_clzll(m);
}

// Without a popcount instruction in the baseline, the compiler would call a
// library routine for each block.
int bitCount(quint64 x)
{
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return int((x * 0x0101010101010101ULL) >> 56);
}

#ifdef __SSE2__
struct Masks
{
    quint64 cr = 0, lf = 0, esc = 0;
};

// One bit per byte of the 64 bytes at s: CR, LF and ESC, each block read
// once. Most blocks of text hold none of the three (nor any byte below ESC):
// one comparison tells, and the rest is skipped.
Masks masksOf(const char *s)
{
    const __m128i cr = _mm_set1_epi8(Cr);
    const __m128i lf = _mm_set1_epi8(Lf);
    const __m128i esc = _mm_set1_epi8(Esc);
    __m128i v[4];
    __m128i low = _mm_setzero_si128();
    for (int k = 0; k < 4; ++k) {
        v[k] = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 16 * k));
        low = _mm_or_si128(low, _mm_cmpeq_epi8(_mm_min_epu8(v[k], esc), v[k]));
    }
    Masks m;
    if (!_mm_movemask_epi8(low))
        return m;
    for (int k = 0; k < 4; ++k) {
        m.cr |= quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v[k], cr)))) << (16 * k);
        m.lf |= quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v[k], lf)))) << (16 * k);
        m.esc |= quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v[k], esc)))) << (16 * k);
    }
    return m;
}
#endif

} // namespace

void LineIndex::attach(const QByteArray *bytes)
{
    m_bytes = bytes;
    clear();
}

void LineIndex::clear()
{
    m_size = 0;
    m_ends = 0;
    m_lineBegin = 0;
    m_longest = 0;
    m_lastEscape = -1;
    m_endsBefore = {0};
    m_escapeBefore = {-1};
    m_long.clear();
}

void LineIndex::update()
{
    if (!m_bytes)
        return;
    const qint64 size = m_bytes->size();
    if (size < m_size)
        clear(); // the owner started again without saying so
    qint64 at = m_size;
    // Stretch by stretch, so that each stretch start gets its counts.
    while (at < size) {
        const qint64 stretchEnd = qMin(size, (at / Stretch + 1) * Stretch);
        scan(at, stretchEnd);
        at = stretchEnd;
        m_size = at;
        if (at % Stretch == 0) {
            m_endsBefore.append(m_ends);
            m_escapeBefore.append(m_lastEscape);
        }
    }
}

// One bit per byte of a 64-byte block at `at`: mask marks CR and LF bytes,
// starts the bytes where a line end starts (a CR, or an LF not after a CR).
inline void LineIndex::lineEndsIn(qint64 at, quint64 mask, quint64 starts)
{
    // Only the gap before the block's first line end can be long; the gaps
    // inside a block are shorter than it.
    const qint64 first = at + lowestBit(mask);
    const qint64 gap = first - m_lineBegin;
    if (gap > m_longest)
        m_longest = gap;
    if (gap >= LongLine)
        m_long.append({m_ends, m_lineBegin, gap});
    m_ends += bitCount(starts);
    m_lineBegin = at + highestBit(mask) + 1;
}

void LineIndex::scan(qint64 from, qint64 to)
{
    const char *s = m_bytes->constData();
    qint64 i = from;
#ifdef __SSE2__
    for (; i + 64 <= to; i += 64) {
        const Masks m = masksOf(s + i);
        if (m.esc)
            m_lastEscape = i + highestBit(m.esc);
        const quint64 mask = m.cr | m.lf;
        if (!mask)
            continue;
        const quint64 afterCr = (m.cr << 1) | (i > 0 && s[i - 1] == Cr ? 1u : 0u);
        lineEndsIn(i, mask, m.cr | (m.lf & ~afterCr));
    }
#endif
    for (; i < to; ++i) {
        const char c = s[i];
        if (c == Esc)
            m_lastEscape = i;
        if (c != Cr && c != Lf)
            continue;
        const bool starts = c == Cr || i == 0 || s[i - 1] != Cr;
        lineEndsIn(i, 1u, starts ? 1u : 0u);
    }
}

qint64 LineIndex::countEnds(qint64 from, qint64 to) const
{
    const char *s = data();
    qint64 n = 0;
    for (qint64 i = from; i < to; ++i) {
        if (s[i] == Cr || (s[i] == Lf && (i == 0 || s[i - 1] != Cr)))
            ++n;
    }
    return n;
}

qint64 LineIndex::findEnd(qint64 from, qint64 n) const
{
    const char *s = data();
    for (qint64 i = from; i < m_size; ++i) {
        if (s[i] == Cr || (s[i] == Lf && (i == 0 || s[i - 1] != Cr))) {
            if (--n == 0)
                return i;
        }
    }
    return m_size;
}

qint64 LineIndex::nextAfterEnd(qint64 end) const
{
    if (end >= m_size)
        return m_size;
    const char *s = data();
    if (s[end] == Cr && end + 1 < m_size && s[end + 1] == Lf)
        return end + 2;
    return end + 1;
}

qint64 LineIndex::lineOf(qint64 pos) const
{
    pos = qBound<qint64>(0, pos, m_size);
    const qint64 k = pos / Stretch;
    qint64 n = m_endsBefore[k] + countEnds(k * Stretch, pos);
    // The LF of a CR LF ends the same line as its CR.
    const char *s = data();
    if (pos > 0 && pos < m_size && s[pos] == Lf && s[pos - 1] == Cr)
        --n;
    return n;
}

LineIndex::Line LineIndex::line(qint64 number) const
{
    Line l;
    l.number = qBound<qint64>(0, number, m_ends);
    // The stretch where the wanted line end starts: the last one with fewer
    // line ends before it.
    const auto stretchOf = [this](qint64 n) {
        const auto it = std::lower_bound(m_endsBefore.cbegin(), m_endsBefore.cend(), n);
        return qint64(it - m_endsBefore.cbegin()) - 1;
    };
    if (l.number > 0) {
        const qint64 k = stretchOf(l.number);
        const qint64 end = findEnd(k * Stretch, l.number - m_endsBefore[k]);
        l.begin = nextAfterEnd(end);
    }
    if (l.number < m_ends) {
        const qint64 k = stretchOf(l.number + 1);
        const qint64 from = qMax(l.begin, k * Stretch);
        l.end = findEnd(from, l.number + 1 - m_endsBefore[k] - countEnds(k * Stretch, from));
    } else {
        l.end = m_size;
    }
    l.next = nextAfterEnd(l.end);
    return l;
}

qint64 LineIndex::longest() const
{
    return qMax(m_longest, m_size - m_lineBegin);
}

qint64 LineIndex::lastEscapeBefore(qint64 pos) const
{
    pos = qBound<qint64>(0, pos, m_size);
    const qint64 k = pos / Stretch;
    const char *s = data();
    for (qint64 i = pos - 1; i >= k * Stretch; --i) {
        if (s[i] == Esc)
            return i;
    }
    return m_escapeBefore[k];
}
