#pragma once

#include "core/LineIndex.h"

#include <QList>

// The vertical scroll bar's measure of the response pane: one unit a line,
// and when wrapping, one more for each further row a long line would take at
// the pane's width, estimated from its bytes. Counted without reading the
// lines, so a position anywhere in a response of any size is found at once.
class ScrollUnits
{
public:
    explicit ScrollUnits(const LineIndex *index) : m_index(index) {}

    // bytesPerRow: what a row holds when wrapping; 0 when not wrapping.
    void setBytesPerRow(qint64 bytesPerRow);
    // The index grew or was cleared.
    void follow();

    qint64 total() const;
    qint64 valueOf(qint64 line, qint64 offsetInLine) const;
    struct Position
    {
        qint64 line = 0;
        qint64 offset = 0; // bytes into the line
    };
    Position positionOf(qint64 value) const;

private:
    qint64 extra(qint64 length) const;
    qint64 before(qint64 line) const;

    const LineIndex *m_index;
    qint64 m_bytesPerRow = 0;
    QList<qint64> m_extraBefore; // per listed long line: the extra units of those before it
    qsizetype m_followed = 0;
};
