#pragma once

#include <QByteArray>
#include <QList>

// Where the lines of a growing byte stream begin and end. A line ends at
// CR LF, at a lone CR or at a lone LF. The index keeps, per fixed stretch of
// bytes, how many line ends lie before it, so its memory is a small fraction
// of the bytes however short the lines are (a flood of lone CRs included);
// the lines inside a stretch are found on demand. It reads the bytes where
// their owner keeps them and never copies them.
class LineIndex
{
public:
    static constexpr qint64 Stretch = 4096;
    // Lines at least this long are listed as they end, so that a view can
    // count their rows without reading them.
    static constexpr qint64 LongLine = 8192;

    struct Line
    {
        qint64 number = 0;
        qint64 begin = 0; // first byte
        qint64 end = 0;   // first byte of the line end, or the end of the bytes
        qint64 next = 0;  // first byte after the line end
        qint64 length() const { return end - begin; }
    };
    struct LongLineEntry
    {
        qint64 number;
        qint64 begin;
        qint64 length;
    };

    // bytes must outlive the index; only appending to them is followed.
    void attach(const QByteArray *bytes);
    // The bytes were emptied or replaced: forget everything.
    void clear();
    // Takes in what was appended since the last call.
    void update();

    qint64 size() const { return m_size; }
    // Always at least one: empty bytes are one empty line, and a line end at
    // the very end is followed by an empty line.
    qint64 lineCount() const { return m_ends + 1; }
    // The line that holds pos (0..size); the bytes of a line end belong to the
    // line they end.
    qint64 lineOf(qint64 pos) const;
    Line line(qint64 number) const;
    Line lineAt(qint64 pos) const { return line(lineOf(pos)); }
    // Length of the longest line (exact from 64 bytes on).
    qint64 longest() const;
    // The lines of at least LongLine bytes that have ended, in order; the last
    // line, still open, is never listed.
    const QList<LongLineEntry> &longLines() const { return m_long; }
    // The last ESC byte before pos, or -1: where a stateful encoding last
    // changed its state.
    qint64 lastEscapeBefore(qint64 pos) const;

    const char *data() const { return m_bytes ? m_bytes->constData() : nullptr; }

private:
    void scan(qint64 from, qint64 to);
    void lineEndsIn(qint64 at, quint64 mask, quint64 starts);
    // Line ends that start in [from, to).
    qint64 countEnds(qint64 from, qint64 to) const;
    // Position of the n-th line end (1-based) that starts at or after from.
    qint64 findEnd(qint64 from, qint64 n) const;
    qint64 nextAfterEnd(qint64 end) const;

    const QByteArray *m_bytes = nullptr;
    qint64 m_size = 0;
    qint64 m_ends = 0;
    qint64 m_lineBegin = 0;
    qint64 m_longest = 0;
    qint64 m_lastEscape = -1;
    QList<qint64> m_endsBefore;   // per stretch: line ends that start before it
    QList<qint64> m_escapeBefore; // per stretch: the last ESC before it
    QList<LongLineEntry> m_long;
};
