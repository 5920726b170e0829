// The response pane's caret, selection, copy, keys and mouse.
#include "gui/ResponseView.h"

#include "core/ExchangeEngine.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTextBoundaryFinder>

#include <cstring>
#include <memory>

namespace {

constexpr qreal Margin = 4;
constexpr qint64 Near = 4096; // bytes read around the caret to step over a character
constexpr qint64 CopyLimit = qint64(256) << 20;
constexpr qint64 SelectionClipboardLimit = 1 << 20;

} // namespace

QPair<qint64, qint64> ResponseView::selectedBytes() const
{
    return {qMin(m_anchor, m_cursor), qMax(m_anchor, m_cursor)};
}

QString ResponseView::selectedText() const
{
    const QPair<qint64, qint64> s = selectedBytes();
    return m_text.text(s.first, s.second);
}

void ResponseView::selectAll()
{
    m_anchor = 0;
    m_cursor = m_text.size();
    m_atRowEnd = false;
    viewport()->update();
}

void ResponseView::copy()
{
    const QPair<qint64, qint64> s = selectedBytes();
    if (s.first == s.second)
        return;
    if (s.second - s.first > CopyLimit) {
        QApplication::beep();
        showNotice(tr("選択した範囲が %1 を超えるため、コピーできません。保存をお使いください。")
                       .arg(ExchangeEngine::limitText(CopyLimit)));
        return;
    }
    // As the request pane copies: a CR LF becomes the clipboard's line break.
    QString text = selectedText();
    if (std::memchr(m_text.lines().data() + s.first, '\r', size_t(s.second - s.first)))
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QApplication::clipboard()->setText(text);
}

void ResponseView::selectBytes(qint64 begin, qint64 end)
{
    begin = m_text.boundaryAtOrBefore(qBound<qint64>(0, begin, m_text.size()));
    end = qBound(begin, end, m_text.size());
    const qint64 last = m_text.boundaryAtOrBefore(end);
    if (last < end)
        end = stepChar(last, true, false); // a character cut by the end is taken whole
    m_anchor = begin;
    m_cursor = end;
    m_atRowEnd = false;
    ensureVisible(end);
    ensureVisible(begin);
    viewport()->update();
}

void ResponseView::setHighlights(const QList<QPair<qint64, qint64>> &byteRanges)
{
    m_highlights = byteRanges;
    viewport()->update();
}

qint64 ResponseView::stepChar(qint64 pos, bool forward, bool words) const
{
    const LineIndex &lines = m_text.lines();
    const LineIndex::Line l = lines.lineAt(pos);
    const auto kind = words ? QTextBoundaryFinder::Word : QTextBoundaryFinder::Grapheme;
    const auto isStop = [words](const QTextBoundaryFinder &f) {
        return !words || (f.boundaryReasons() & QTextBoundaryFinder::StartOfItem);
    };
    if (forward) {
        if (pos >= l.end)
            return l.next > l.end ? l.next : pos;
        const qint64 to = l.end - pos <= Near ? l.end : m_text.boundaryAtOrBefore(pos + Near);
        const ResponseText::Piece p = m_text.piece(pos, to);
        QTextBoundaryFinder f(kind, p.text);
        qsizetype i = f.toNextBoundary();
        while (i > 0 && i < p.text.size() && !isStop(f))
            i = f.toNextBoundary();
        return pos + p.byteAt(i < 0 ? p.text.size() : i);
    }
    if (pos <= l.begin)
        return l.number > 0 ? lines.line(l.number - 1).end : pos;
    const qint64 from = pos - l.begin <= Near ? l.begin : m_text.boundaryAtOrBefore(pos - Near);
    const ResponseText::Piece p = m_text.piece(from, pos);
    QTextBoundaryFinder f(kind, p.text);
    f.setPosition(p.text.size());
    qsizetype i = f.toPreviousBoundary();
    while (i > 0 && !isStop(f))
        i = f.toPreviousBoundary();
    return from + p.byteAt(qMax<qsizetype>(0, i));
}

int ResponseView::frameRowOf(qint64 pos) const
{
    for (int i = 0; i < m_frame.size(); ++i) {
        const Row &r = m_frame[i];
        const bool seam = pos == r.end && (r.lastOfLine() || (m_atRowEnd && pos == m_cursor));
        if (pos >= r.begin && (pos < r.end || seam))
            return i;
    }
    return -1;
}

qreal ResponseView::caretX(const Row &r, qint64 pos) const
{
    const ResponseLayout::Piece &p = *r.piece;
    if (pos < p.begin || pos > p.begin + p.text.read)
        return qreal(pos - p.lineBegin) * m_layout.charWidth(); // outside what is laid out: about there
    return r.x + r.textLine().cursorToX(int(p.indexOf(pos)));
}

qint64 ResponseView::byteAt(const QPoint &pos, bool *rowEnd)
{
    buildFrame();
    if (rowEnd)
        *rowEnd = false;
    if (m_frame.isEmpty())
        return 0;
    qreal y = Margin;
    int i = 0;
    for (; i + 1 < m_frame.size(); ++i) {
        const qreal h = m_frame[i].textLine().height();
        if (pos.y() < y + h)
            break;
        y += h;
    }
    const Row &r = m_frame[i];
    const qreal x = pos.x() - (Margin - hOffset()) - r.x;
    const int index = r.textLine().xToCursor(x, QTextLine::CursorBetweenCharacters);
    const qint64 at = qBound(r.piece->begin, r.piece->byteAt(index), r.piece->begin + r.piece->text.read);
    if (rowEnd)
        *rowEnd = at == r.end && !r.lastOfLine();
    return at;
}

ResponseView::Row ResponseView::rowOfCursor()
{
    Row r = m_layout.rowAt(m_cursor);
    if (m_atRowEnd && r.begin == m_cursor) {
        const Row p = m_layout.previous(r);
        if (p.valid() && p.end == m_cursor)
            r = p;
    }
    return r;
}

void ResponseView::moveCursor(qint64 pos, bool extend)
{
    m_cursor = qBound<qint64>(0, pos, m_text.size());
    if (!extend)
        m_anchor = m_cursor;
    restartBlink();
    ensureVisible(m_cursor);
    viewport()->update();
}

void ResponseView::ensureVisible(qint64 pos)
{
    buildFrame();
    const int at = frameRowOf(pos);
    qreal bottom = Margin;
    for (int i = 0; i <= at; ++i)
        bottom += m_frame[i].textLine().height();
    if (at < 0 || bottom > viewport()->height()) {
        const Row r = at >= 0 ? m_frame[at] : pos == m_cursor ? rowOfCursor() : m_layout.rowAt(pos);
        if (at < 0 && pos < m_top) {
            setTop(r); // above: it becomes the top row
        } else {
            // below: it becomes the bottom row
            const qreal room = viewport()->height() - Margin;
            qreal used = r.textLine().height();
            Row top = r;
            for (Row p = m_layout.previous(top); p.valid() && used + p.textLine().height() <= room;
                 p = m_layout.previous(p)) {
                used += p.textLine().height();
                top = p;
            }
            setTop(top);
        }
        settleTop();
        buildFrame();
    }
    if (!m_wrap) {
        const int row = frameRowOf(pos);
        if (row < 0)
            return;
        const qreal x = caretX(m_frame[row], pos);
        const qreal width = viewport()->width() - 2 * Margin;
        if (x < hOffset() || x > hOffset() + width)
            horizontalScrollBar()->setValue(int(qMax<qreal>(0, x - width / 2) / qreal(m_hScale)));
    }
}

void ResponseView::restartBlink()
{
    m_caretOn = true;
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0 && hasFocus())
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

void ResponseView::timerEvent(QTimerEvent *e)
{
    if (e->timerId() == m_blink.timerId()) {
        m_caretOn = !m_caretOn;
        viewport()->update();
        return;
    }
    QAbstractScrollArea::timerEvent(e);
}

void ResponseView::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    if (m_editor && m_editPanel->isVisible()) {
        m_editor->setFocus(e->reason());
        return;
    }
    restartBlink();
    viewport()->update();
}

void ResponseView::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    m_blink.stop();
    viewport()->update();
}

bool ResponseView::event(QEvent *e)
{
    // Copying, selecting and editing keys belong to the pane while it has
    // the focus, even where the window has shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::SelectAll) || editsText(k)) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

bool ResponseView::stepCursor(QKeyEvent *e)
{
    struct Move
    {
        QKeySequence::StandardKey move, select;
    };
    static const Move moves[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument},
    };
    int which = -1;
    bool extend = false;
    for (int i = 0; i < int(std::size(moves)); ++i) {
        if (e->matches(moves[i].move) || e->matches(moves[i].select)) {
            which = i;
            extend = e->matches(moves[i].select);
            break;
        }
    }
    if (which < 0)
        return false;
    buildFrame();
    const QKeySequence::StandardKey key = moves[which].move;
    const bool vertical = key == QKeySequence::MoveToNextLine || key == QKeySequence::MoveToPreviousLine
                          || key == QKeySequence::MoveToNextPage || key == QKeySequence::MoveToPreviousPage;
    Row row = rowOfCursor();
    if (vertical && m_goalX < 0)
        m_goalX = caretX(row, m_cursor);
    if (!vertical)
        m_goalX = -1;
    qint64 pos = m_cursor;
    bool rowEnd = false;
    switch (key) {
    case QKeySequence::MoveToNextChar:
    case QKeySequence::MoveToPreviousChar:
        pos = stepChar(m_cursor, key == QKeySequence::MoveToNextChar, false);
        break;
    case QKeySequence::MoveToNextWord:
    case QKeySequence::MoveToPreviousWord:
        pos = stepChar(m_cursor, key == QKeySequence::MoveToNextWord, true);
        break;
    case QKeySequence::MoveToStartOfLine:
        pos = row.begin;
        break;
    case QKeySequence::MoveToEndOfLine:
        pos = row.end;
        rowEnd = !row.lastOfLine();
        break;
    case QKeySequence::MoveToStartOfDocument:
        pos = 0;
        break;
    case QKeySequence::MoveToEndOfDocument:
        pos = m_text.size();
        break;
    default: {
        const bool down = key == QKeySequence::MoveToNextLine || key == QKeySequence::MoveToNextPage;
        const bool page = key == QKeySequence::MoveToNextPage || key == QKeySequence::MoveToPreviousPage;
        const int steps = page ? qMax(1, int(viewport()->height() / m_layout.rowHeight()) - 1) : 1;
        Row target = row;
        for (int i = 0; i < steps; ++i) {
            const Row n = down ? m_layout.next(target) : m_layout.previous(target);
            if (!n.valid())
                break;
            target = n;
        }
        if (target.begin == row.begin && target.piece == row.piece) {
            pos = down ? m_text.size() : 0; // no row further that way: its end
            break;
        }
        if (page)
            scrollRows(down ? steps : -steps);
        const int index = target.textLine().xToCursor(m_goalX - target.x, QTextLine::CursorBetweenCharacters);
        pos = qBound(target.piece->begin, target.piece->byteAt(index), target.piece->begin + target.piece->text.read);
        rowEnd = pos == target.end && !target.lastOfLine();
        break;
    }
    }
    m_atRowEnd = rowEnd;
    moveCursor(pos, extend);
    return true;
}

void ResponseView::keyPressEvent(QKeyEvent *e)
{
    if (e->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (e->matches(QKeySequence::Copy) || (e->key() == Qt::Key_Insert && e->modifiers() == Qt::ControlModifier)) {
        copy();
    } else if (editsText(e)) {
        if (startEditing())
            forwardToEditor(e);
    } else if (!stepCursor(e)) {
        e->ignore(); // Tab walks the window's tab order
        return;
    }
    e->accept();
}

void ResponseView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    bool rowEnd = false;
    const qint64 at = byteAt(e->position().toPoint(), &rowEnd);
    m_atRowEnd = rowEnd;
    m_goalX = -1;
    m_dragging = true;
    m_dragPos = e->position().toPoint();
    moveCursor(at, e->modifiers() & Qt::ShiftModifier);
}

void ResponseView::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_dragging || !(e->buttons() & Qt::LeftButton))
        return;
    m_dragPos = e->position().toPoint();
    if (viewport()->rect().contains(m_dragPos)) {
        m_autoScroll.stop();
        bool rowEnd = false;
        m_cursor = byteAt(m_dragPos, &rowEnd);
        m_atRowEnd = rowEnd;
        viewport()->update();
    } else if (!m_autoScroll.isActive()) {
        m_autoScroll.start();
    }
}

void ResponseView::autoScroll()
{
    const QRect r = viewport()->rect();
    if (m_dragPos.y() < r.top())
        scrollRows(-1);
    else if (m_dragPos.y() > r.bottom())
        scrollRows(1);
    const QPoint inside(qBound(r.left(), m_dragPos.x(), r.right()), qBound(r.top(), m_dragPos.y(), r.bottom()));
    m_cursor = byteAt(inside);
    viewport()->update();
}

void ResponseView::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_autoScroll.stop();
    // As other panes do, the selection is offered to a middle click elsewhere.
    const QPair<qint64, qint64> s = selectedBytes();
    QClipboard *clipboard = QApplication::clipboard();
    if (s.second > s.first && s.second - s.first <= SelectionClipboardLimit && clipboard->supportsSelection())
        clipboard->setText(QString(selectedText()).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                           QClipboard::Selection);
}

void ResponseView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        selectWordAt(byteAt(e->position().toPoint()));
}

void ResponseView::selectWordAt(qint64 pos)
{
    const LineIndex::Line l = m_text.lines().lineAt(pos);
    const qint64 from = pos - l.begin <= 256 ? l.begin : m_text.boundaryAtOrBefore(pos - 256);
    const qint64 to = l.end - pos <= 256 ? l.end : m_text.boundaryAtOrBefore(pos + 256);
    const ResponseText::Piece p = m_text.piece(from, to);
    QTextBoundaryFinder f(QTextBoundaryFinder::Word, p.text);
    const qsizetype at = p.indexOf(pos - from);
    f.setPosition(at);
    qsizetype start = f.isAtBoundary() && (f.boundaryReasons() & QTextBoundaryFinder::StartOfItem)
                          ? at
                          : f.toPreviousBoundary();
    f.setPosition(at);
    qsizetype end = f.toNextBoundary();
    if (start < 0)
        start = 0;
    if (end < 0)
        end = p.text.size();
    m_anchor = from + p.byteAt(start);
    m_cursor = from + p.byteAt(end);
    m_atRowEnd = false;
    viewport()->update();
}

void ResponseView::wheelEvent(QWheelEvent *e)
{
    const int dy = e->angleDelta().y();
    if (dy == 0 || (e->modifiers() & Qt::ShiftModifier)) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    m_wheelRemainder += dy;
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0)
        scrollRows(-qint64(notches) * QApplication::wheelScrollLines());
    e->accept();
}

QMenu *ResponseView::createStandardContextMenu()
{
    auto *menu = new QMenu(this);
    addEditActions(menu);
    return menu;
}

void ResponseView::contextMenuEvent(QContextMenuEvent *e)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    menu->exec(e->globalPos());
}
