#include "gui/ScrollUnits.h"

#include <algorithm>

void ScrollUnits::setBytesPerRow(qint64 bytesPerRow)
{
    if (bytesPerRow == m_bytesPerRow)
        return;
    m_bytesPerRow = bytesPerRow;
    m_extraBefore.clear();
    m_followed = 0;
    follow();
}

qint64 ScrollUnits::extra(qint64 length) const
{
    if (m_bytesPerRow <= 0 || length < LineIndex::LongLine)
        return 0;
    return (length + m_bytesPerRow - 1) / m_bytesPerRow - 1;
}

void ScrollUnits::follow()
{
    const QList<LineIndex::LongLineEntry> &longs = m_index->longLines();
    if (longs.size() < m_followed) {
        m_extraBefore.clear();
        m_followed = 0;
    }
    for (qsizetype k = m_followed; k < longs.size(); ++k)
        m_extraBefore.append(k == 0 ? 0 : m_extraBefore[k - 1] + extra(longs[k - 1].length));
    m_followed = longs.size();
}

qint64 ScrollUnits::before(qint64 line) const
{
    const QList<LineIndex::LongLineEntry> &longs = m_index->longLines();
    const auto it = std::lower_bound(longs.cbegin(), longs.cbegin() + m_followed, line,
                                     [](const LineIndex::LongLineEntry &e, qint64 n) { return e.number < n; });
    const qsizetype k = it - longs.cbegin();
    return line + (k == 0 ? 0 : m_extraBefore[k - 1] + extra(longs[k - 1].length));
}

qint64 ScrollUnits::total() const
{
    const qint64 last = m_index->lineCount() - 1;
    return before(last) + 1 + extra(m_index->line(last).length());
}

qint64 ScrollUnits::valueOf(qint64 line, qint64 offsetInLine) const
{
    if (m_bytesPerRow <= 0)
        return before(line);
    const qint64 rows = extra(m_index->line(line).length());
    return before(line) + qBound<qint64>(0, offsetInLine / m_bytesPerRow, rows);
}

ScrollUnits::Position ScrollUnits::positionOf(qint64 value) const
{
    const QList<LineIndex::LongLineEntry> &longs = m_index->longLines();
    const qint64 last = m_index->lineCount() - 1;
    value = qMax<qint64>(0, value);
    // The last listed long line that starts at or before the value.
    qsizetype lo = 0, hi = m_followed;
    while (lo < hi) {
        const qsizetype mid = (lo + hi) / 2;
        if (longs[mid].number + m_extraBefore[mid] <= value)
            lo = mid + 1;
        else
            hi = mid;
    }
    Position p;
    if (lo > 0) {
        const LineIndex::LongLineEntry &e = longs[lo - 1];
        const qint64 base = e.number + m_extraBefore[lo - 1];
        if (value < base + 1 + extra(e.length))
            return {e.number, (value - base) * m_bytesPerRow};
        p.line = value - m_extraBefore[lo - 1] - extra(e.length);
    } else {
        p.line = value;
    }
    if (p.line >= last) {
        p.offset = (value - before(last)) * m_bytesPerRow;
        p.line = last;
    }
    return p;
}
