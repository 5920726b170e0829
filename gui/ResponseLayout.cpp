#include "gui/ResponseLayout.h"

#include <QFontMetricsF>
#include <QTextCharFormat>
#include <QTextOption>

namespace {

constexpr qint64 WrapWindow = 16 * 1024;   // bytes of a long line laid out at once
constexpr qint64 CachedChars = 256 * 1024; // short lines kept laid out
constexpr int CachedWindows = 8;
constexpr qreal TabStop = 80; // as a plain text edit has it
constexpr qreal Unbounded = 1e7;

} // namespace

int ResponseLayout::Piece::usableRows() const
{
    const int rows = layout.lineCount();
    return atLineEnd || rows <= 1 ? rows : rows - 1;
}

bool ResponseLayout::Row::lastOfLine() const
{
    return piece->atLineEnd && index == piece->layout.lineCount() - 1;
}

ResponseLayout::ResponseLayout(const ResponseText *text) : m_text(text)
{
    setFont(m_font);
}

void ResponseLayout::setFont(const QFont &font)
{
    m_font = font;
    const QFontMetricsF fm(font);
    // Measured over a run, as text is laid out.
    m_charWidth = qMax<qreal>(1, fm.horizontalAdvance(QString(64, QLatin1Char('0'))) / 64);
    m_rowHeight = qMax<qreal>(1, fm.height());
    clear();
}

void ResponseLayout::setWrap(bool on, qreal width)
{
    width = qMax<qreal>(m_charWidth, width);
    if (on == m_wrap && (!on || qFuzzyCompare(width, m_width)))
        return;
    m_wrap = on;
    m_width = width;
    clear();
}

void ResponseLayout::setVisibleSpan(qreal left, qreal width)
{
    m_left = qMax<qreal>(0, left);
    m_span = qMax<qreal>(1, width);
}

void ResponseLayout::clear()
{
    m_whole.clear();
    m_windows.clear();
    m_cachedChars = 0;
}

void ResponseLayout::lastLineChanged()
{
    // Pieces that reach the end of the bytes may have changed; the line that
    // was last may have ended, so it goes too.
    const qint64 last = m_text->lines().lineCount() - 1;
    for (auto it = m_whole.begin(); it != m_whole.end();) {
        if ((*it)->line >= last - 1)
            it = m_whole.erase(it);
        else
            ++it;
    }
    m_windows.removeIf([last](const PiecePtr &p) { return p->line >= last - 1; });
}

qint64 ResponseLayout::bytesPerRow() const
{
    return qMax<qint64>(1, qint64(m_width / m_charWidth));
}

qint64 ResponseLayout::windowBytes() const
{
    if (m_wrap)
        return qMax<qint64>(WrapWindow, bytesPerRow() * 200);
    // A character takes at most four bytes and at least one column.
    return qint64(m_span / m_charWidth) * 4 + 4096;
}

bool ResponseLayout::isLong(const LineIndex::Line &line) const
{
    return line.length() >= LineIndex::LongLine;
}

QString ResponseLayout::shownText(const QString &decoded, QList<QTextLayout::FormatRange> *marks)
{
    QTextCharFormat control;
    control.setBackground(QColor(128, 128, 128));
    control.setForeground(Qt::white);
    QString s = decoded;
    QChar *c = s.data();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = c[i].unicode();
        char16_t shown = 0;
        if ((u < 0x20 && u != u'\t') || u == 0x7F)
            shown = u ^ 0x40; // NUL is @, ESC is [, DEL is ?
        else if (u == 0x85 || u == 0x2028 || u == 0x2029)
            shown = 0xB6; // would end the row
        if (!shown)
            continue;
        c[i] = QChar(shown);
        if (!marks->isEmpty() && marks->last().start + marks->last().length == i)
            ++marks->last().length;
        else
            marks->append({int(i), 1, control});
    }
    return s;
}

ResponseLayout::PiecePtr ResponseLayout::piece(const LineIndex::Line &line, qint64 begin, qint64 end)
{
    auto p = std::make_shared<Piece>();
    p->line = line.number;
    p->lineBegin = line.begin;
    p->begin = begin;
    p->end = end;
    p->atLineEnd = end >= line.end;
    p->text = m_text->piece(begin, end);
    QList<QTextLayout::FormatRange> marks;
    p->layout.setText(shownText(p->text.text, &marks));
    p->layout.setFormats(marks);
    p->layout.setFont(m_font);
    QTextOption option;
    option.setWrapMode(m_wrap ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
    option.setTabStopDistance(TabStop);
    p->layout.setTextOption(option);
    p->layout.setCacheEnabled(true);
    p->layout.beginLayout();
    qreal y = 0;
    for (QTextLine l = p->layout.createLine(); l.isValid(); l = p->layout.createLine()) {
        l.setLineWidth(m_wrap ? m_width : Unbounded);
        l.setPosition(QPointF(0, y));
        y += l.height();
    }
    p->layout.endLayout();
    return p;
}

void ResponseLayout::remember(const PiecePtr &p)
{
    m_windows.prepend(p);
    while (m_windows.size() > CachedWindows)
        m_windows.removeLast();
}

ResponseLayout::PiecePtr ResponseLayout::windowAt(const LineIndex::Line &line, qint64 begin)
{
    for (qsizetype i = 0; i < m_windows.size(); ++i) {
        const PiecePtr &w = m_windows[i];
        if (w->line == line.number && w->lineBegin == line.begin && w->begin == begin
            && (w->atLineEnd ? w->end == line.end : w->end <= line.end)) {
            PiecePtr found = w; // a copy: the move below shifts the list
            m_windows.move(i, 0);
            return found;
        }
    }
    const qint64 want = begin + windowBytes();
    qint64 end = want >= line.end ? line.end : m_text->boundaryAtOrBefore(want);
    if (end <= begin)
        end = qMin(line.end, want);
    PiecePtr p = piece(line, begin, end);
    remember(p);
    return p;
}

ResponseLayout::Row ResponseLayout::rowIn(const PiecePtr &p, int index) const
{
    Row r;
    r.piece = p;
    r.index = index;
    const QTextLine tl = p->layout.lineAt(index);
    r.begin = index == 0 ? p->begin : p->byteAt(tl.textStart());
    r.end = p->byteAt(tl.textStart() + tl.textLength());
    if (!m_wrap) {
        // One row is the whole line, whatever part of it is laid out.
        r.x = p->begin == p->lineBegin ? 0 : qreal(p->begin - p->lineBegin) * m_charWidth;
        r.begin = p->lineBegin;
        r.end = m_text->lines().line(p->line).end;
    }
    return r;
}

ResponseLayout::Row ResponseLayout::rowHolding(const PiecePtr &p, qint64 pos) const
{
    const qsizetype index = p->indexOf(pos);
    const int rows = p->layout.lineCount();
    for (int i = 0; i < rows; ++i) {
        const QTextLine tl = p->layout.lineAt(i);
        if (index < tl.textStart() + tl.textLength())
            return rowIn(p, i);
    }
    return rowIn(p, rows - 1);
}

ResponseLayout::Row ResponseLayout::noWrapRow(const LineIndex::Line &line)
{
    if (!isLong(line)) {
        PiecePtr &p = m_whole[line.begin];
        if (!p || p->end != line.end || p->line != line.number) {
            p = piece(line, line.begin, line.end);
            m_cachedChars += p->text.text.size();
        }
        const PiecePtr keep = p;
        if (m_cachedChars > CachedChars)
            clear();
        return rowIn(keep, 0);
    }
    // Laid out from the line's start while that is near; further right, from
    // about where the bytes in sight would be if each took one column.
    const qint64 margin = 256;
    const qint64 first = qMax<qint64>(0, qint64(m_left / m_charWidth) - margin);
    qint64 begin = first < LineIndex::LongLine / 2 ? line.begin
                                                   : m_text->boundaryAtOrBefore(qMin(line.end, line.begin + first));
    return rowIn(windowAt(line, begin), 0);
}

ResponseLayout::Row ResponseLayout::rowAt(qint64 pos)
{
    const LineIndex &lines = m_text->lines();
    const LineIndex::Line line = lines.lineAt(qBound<qint64>(0, pos, lines.size()));
    pos = qBound(line.begin, pos, line.end);
    if (!m_wrap)
        return noWrapRow(line);
    if (!isLong(line)) {
        PiecePtr &p = m_whole[line.begin];
        if (!p || p->end != line.end || p->line != line.number) {
            p = piece(line, line.begin, line.end);
            m_cachedChars += p->text.text.size();
        }
        const PiecePtr keep = p;
        if (m_cachedChars > CachedChars)
            clear();
        return rowHolding(keep, pos);
    }
    for (const PiecePtr &w : std::as_const(m_windows)) {
        if (w->line != line.number || w->lineBegin != line.begin || pos < w->begin
            || (w->atLineEnd ? w->end != line.end : w->end > line.end))
            continue;
        const Row last = rowIn(w, w->layout.lineCount() - 1);
        if (w->atLineEnd ? pos <= w->end : pos < last.begin)
            return rowHolding(w, pos);
    }
    const qint64 window = windowBytes();
    if (line.end - pos < window / 4)
        return rowHolding(windowAt(line, rowStartNear(line, line.end - window)), pos);
    return rowHolding(windowAt(line, rowStartNear(line, pos)), pos);
}

qint64 ResponseLayout::rowStartNear(const LineIndex::Line &line, qint64 pos)
{
    pos = m_text->boundaryAtOrBefore(pos);
    if (pos <= line.begin)
        return line.begin;
    // Where rows laid out from the line's start would begin, if every row
    // took as many bytes as the first one laid out from here: exact in even
    // text, so that a long line shows the same rows however it is reached.
    const PiecePtr probe = piece(line, pos, qMin(line.end, m_text->boundaryAtOrBefore(pos + 4096)));
    if (probe->layout.lineCount() < 2)
        return pos;
    const Row first = rowIn(probe, 0);
    const qint64 rowBytes = qMax<qint64>(1, first.end - first.begin);
    return m_text->boundaryAtOrBefore(line.begin + (pos - line.begin) / rowBytes * rowBytes);
}

ResponseLayout::Row ResponseLayout::next(const Row &row)
{
    if (!row.valid())
        return {};
    const Piece &p = *row.piece;
    const LineIndex &lines = m_text->lines();
    if (m_wrap) {
        if (row.index + 1 < p.usableRows())
            return rowIn(row.piece, row.index + 1);
        if (!p.atLineEnd) {
            // The next window starts where this one's last, cut row did.
            const qint64 at = p.byteAt(p.layout.lineAt(p.layout.lineCount() - 1).textStart());
            return rowIn(windowAt(lines.line(p.line), at), 0);
        }
    }
    if (p.line + 1 >= lines.lineCount())
        return {};
    return rowAt(lines.line(p.line + 1).begin);
}

ResponseLayout::Row ResponseLayout::previous(const Row &row)
{
    if (!row.valid())
        return {};
    const Piece &p = *row.piece;
    const LineIndex &lines = m_text->lines();
    if (m_wrap) {
        if (row.index > 0)
            return rowIn(row.piece, row.index - 1);
        if (p.begin > p.lineBegin) {
            // Laid out again from further back, as many rows of this one's
            // length as fit in half a window, so that in even text one of the
            // new rows ends exactly where this one begins.
            const LineIndex::Line line = lines.line(p.line);
            const qint64 rowBytes = qMax<qint64>(1, row.end - row.begin);
            const qint64 back = qMax(rowBytes, windowBytes() / 2 / rowBytes * rowBytes);
            const qint64 from = m_text->boundaryAtOrBefore(qMax(line.begin, row.begin - back));
            const PiecePtr w = windowAt(line, from);
            const Row r = rowHolding(w, row.begin);
            return r.begin == row.begin && r.index > 0 ? rowIn(w, r.index - 1) : r;
        }
    }
    if (p.line == 0)
        return {};
    return rowAt(lines.line(p.line - 1).end);
}
