#include "gui/HexView.h"

#include "core/ExchangeEngine.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>
#include <climits>

namespace {

constexpr int Margin = 4;                          // px left of the offsets
constexpr int OffsetGap = 2;                       // blanks after the offset
constexpr int HexWidth = 3 * HexView::BytesPerRow; // "xx " each, one more blank mid-row, none at the end
constexpr int AsciiGap = 2;

// Eight digits up to 4 GiB, more above, so offsets never get cut.
int offsetDigits(qint64 size)
{
    int digits = 0;
    for (quint64 v = quint64(size); v != 0; v >>= 4)
        ++digits;
    return qMax(8, digits);
}

int hexColumn(int digits, int byte)
{
    return digits + OffsetGap + 3 * byte + (byte >= 8 ? 1 : 0);
}

int asciiColumn(int digits, int byte)
{
    return digits + OffsetGap + HexWidth + AsciiGap + byte;
}

} // namespace

HexView::HexView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    m_autoScroll.setInterval(50);
    connect(&m_autoScroll, &QTimer::timeout, this, &HexView::autoScroll);
    updateMetrics();
}

QByteArrayView HexView::data() const
{
    return m_engine ? QByteArrayView(m_engine->response()) : QByteArrayView(m_bytes);
}

void HexView::follow(const ExchangeEngine *engine)
{
    if (m_engine)
        disconnect(m_engine, nullptr, this, nullptr);
    m_engine = engine;
    m_bytes = QByteArray();
    connect(engine, &ExchangeEngine::cleared, this, &HexView::dataChanged);
    connect(engine, &ExchangeEngine::arrived, this, &HexView::dataChanged);
    connect(engine, &ExchangeEngine::outcomeChanged, this, &HexView::dataChanged);
    reset();
}

void HexView::setBytes(const QByteArray &bytes)
{
    if (m_engine)
        disconnect(m_engine, nullptr, this, nullptr);
    m_engine = nullptr;
    m_bytes = bytes;
    reset();
}

void HexView::reset()
{
    m_knownSize = dataSize();
    m_knownBytes = data().constData();
    m_anchor = m_cursor = 0;
    m_hasSelection = false;
    m_topRow = 0;
    updateMetrics();
    viewport()->update();
}

void HexView::dataChanged()
{
    const qint64 oldSize = m_knownSize;
    const char *oldBytes = m_knownBytes;
    m_knownSize = dataSize();
    m_knownBytes = data().constData();
    if (m_knownSize == oldSize && m_knownBytes == oldBytes)
        return;

    bool repaint = m_knownBytes != oldBytes || m_knownSize < oldSize;
    if (offsetDigits(m_knownSize) != m_digits) {
        updateMetrics(); // also brings the scroll bars up to date
        repaint = true;
    } else if (m_knownSize != oldSize) {
        updateScrollBars();
    }
    if (m_knownSize == 0) {
        m_anchor = m_cursor = 0;
        m_hasSelection = false;
    } else if (m_cursor >= m_knownSize || m_anchor >= m_knownSize) {
        m_cursor = qMin(m_cursor, m_knownSize - 1);
        m_anchor = qMin(m_anchor, m_knownSize - 1);
    }
    // Appended bytes matter only where they land in sight; a moved or shrunk
    // array may have new contents anywhere.
    const qint64 shownEnd = (m_topRow + fullRowsInView() + 1) * BytesPerRow;
    if (repaint || qMin(oldSize, m_knownSize) < shownEnd)
        viewport()->update();
}

const QByteArray *HexView::shownBytes() const
{
    return m_engine ? &m_engine->response() : &m_bytes;
}

ByteSearch::Match HexView::selectedBytes() const
{
    const Selection s = selection();
    return {s.start, s.start + s.length};
}

void HexView::selectBytes(qint64 begin, qint64 end)
{
    if (end <= begin || dataSize() == 0)
        return;
    moveCursorTo(begin, false);
    moveCursorTo(end - 1, true);
}

void HexView::setHighlights(const QList<QPair<qint64, qint64>> &ranges)
{
    m_highlights = ranges;
    viewport()->update();
}

HexView::Selection HexView::selection() const
{
    if (!m_hasSelection || dataSize() == 0)
        return {m_cursor, 0};
    const qint64 start = qMin(m_anchor, m_cursor);
    return {start, qMax(m_anchor, m_cursor) - start + 1};
}

void HexView::selectAll()
{
    if (dataSize() == 0)
        return;
    m_anchor = 0;
    m_cursor = dataSize() - 1;
    m_hasSelection = true;
    viewport()->update();
}

void HexView::copy()
{
    const Selection s = selection();
    if (s.length == 0)
        return;
    const qint64 first = s.start / BytesPerRow;
    const qint64 last = (s.start + s.length - 1) / BytesPerRow;
    if (last - first + 1 > MaxCopyRows) {
        QApplication::beep();
        return;
    }
    const QByteArrayView bytes = data();
    QString text;
    text.reserve((last - first + 1) * (rowText(bytes, first).size() + 1));
    for (qint64 row = first; row <= last; ++row) {
        if (row != first)
            text += QLatin1Char('\n');
        text += rowText(bytes, row);
    }
    QGuiApplication::clipboard()->setText(text);
}

QString HexView::rowText(QByteArrayView bytes, qint64 row)
{
    if (row < 0 || row >= (bytes.size() + BytesPerRow - 1) / BytesPerRow)
        return {};
    static const char digit[] = "0123456789abcdef";
    const int digits = offsetDigits(bytes.size());
    const qint64 start = row * BytesPerRow;
    const int count = int(qMin<qint64>(BytesPerRow, bytes.size() - start));
    QString text(asciiColumn(digits, count), QLatin1Char(' '));
    QChar *out = text.data();
    for (int i = digits - 1, v = 0; i >= 0; --i, ++v)
        out[i] = QLatin1Char(digit[(quint64(start) >> (4 * v)) & 0xf]);
    for (int i = 0; i < count; ++i) {
        const uchar b = uchar(bytes[start + i]);
        const int hex = hexColumn(digits, i);
        out[hex] = QLatin1Char(digit[b >> 4]);
        out[hex + 1] = QLatin1Char(digit[b & 0xf]);
        out[asciiColumn(digits, i)] = QLatin1Char(b >= 0x20 && b <= 0x7e ? char(b) : '.');
    }
    return text;
}

bool HexView::event(QEvent *e)
{
    // Copy and select-all belong to the view while it has the focus, even
    // when the window has menu shortcuts for the same keys.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::SelectAll)) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void HexView::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange)
        updateMetrics();
    QAbstractScrollArea::changeEvent(e);
}

void HexView::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void HexView::updateMetrics()
{
    const QFontMetricsF fm(font());
    // Measured over a run, as text is laid out, so the columns do not drift.
    m_charWidth = fm.horizontalAdvance(QString(64, QLatin1Char('0'))) / 64;
    m_lineHeight = qMax(1, qCeil(fm.lineSpacing()));
    m_ascent = qCeil(fm.ascent());
    m_digits = offsetDigits(dataSize());
    updateScrollBars();
    viewport()->update();
}

int HexView::fullRowsInView() const
{
    return qMax(1, viewport()->height() / m_lineHeight);
}

qint64 HexView::maxTopRow() const
{
    return qMax<qint64>(0, rowCount() - fullRowsInView());
}

// The scroll bar counts in int; above INT_MAX rows it is a proportional map.
int HexView::toBar(qint64 row) const
{
    const qint64 top = maxTopRow();
    if (top <= INT_MAX)
        return int(row);
    return int(double(row) / double(top) * INT_MAX);
}

qint64 HexView::fromBar(int value) const
{
    const qint64 top = maxTopRow();
    if (top <= INT_MAX)
        return value;
    if (value >= verticalScrollBar()->maximum())
        return top;
    return qBound<qint64>(0, qint64(double(value) / INT_MAX * double(top)), top);
}

void HexView::updateScrollBars()
{
    m_syncingBars = true;
    QScrollBar *v = verticalScrollBar();
    const int rows = fullRowsInView();
    m_topRow = qBound<qint64>(0, m_topRow, maxTopRow());
    v->setRange(0, toBar(maxTopRow()));
    v->setPageStep(rows);
    v->setSingleStep(1);
    v->setValue(toBar(m_topRow));

    QScrollBar *h = horizontalScrollBar();
    const int width = qCeil(2 * Margin + m_charWidth * asciiColumn(m_digits, BytesPerRow));
    h->setRange(0, qMax(0, width - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(qMax(1, qRound(m_charWidth)));
    m_syncingBars = false;
}

void HexView::setTopRow(qint64 row)
{
    row = qBound<qint64>(0, row, maxTopRow());
    if (row == m_topRow)
        return;
    m_topRow = row;
    m_syncingBars = true;
    verticalScrollBar()->setValue(toBar(row));
    m_syncingBars = false;
    viewport()->update();
}

void HexView::scrollContentsBy(int, int dy)
{
    if (m_syncingBars)
        return;
    if (dy != 0)
        m_topRow = fromBar(verticalScrollBar()->value());
    viewport()->update();
}

qreal HexView::hexX(int column) const
{
    return Margin - horizontalScrollBar()->value() + m_charWidth * hexColumn(m_digits, column);
}

qreal HexView::asciiX(int column) const
{
    return Margin - horizontalScrollBar()->value() + m_charWidth * asciiColumn(m_digits, column);
}

void HexView::paintEvent(QPaintEvent *e)
{
    const qint64 total = dataSize();
    if (total == 0)
        return;
    QPainter p(viewport());
    p.setFont(font());
    const QPalette &pal = palette();
    const QByteArrayView bytes = data();
    const Selection sel = selection();
    const qint64 selLast = sel.start + sel.length - 1;
    const qreal textX = Margin - horizontalScrollBar()->value();

    const qint64 first = m_topRow + qMax(0, e->rect().top()) / m_lineHeight;
    const qint64 last = qMin(rowCount() - 1, m_topRow + e->rect().bottom() / m_lineHeight);
    for (qint64 row = first; row <= last; ++row) {
        const int y = int(row - m_topRow) * m_lineHeight;
        const QString text = rowText(bytes, row);
        const qint64 rowStart = row * BytesPerRow;
        const qint64 rowLast = qMin(rowStart + BytesPerRow, total) - 1;
        // Marked ranges that reach into this row, found by halving.
        auto h = std::lower_bound(m_highlights.cbegin(), m_highlights.cend(), rowStart,
                                  [](const QPair<qint64, qint64> &r, qint64 at) { return r.second <= at; });
        for (; h != m_highlights.cend() && h->first <= rowLast; ++h) {
            const int c0 = int(qMax(h->first, rowStart) - rowStart);
            const int c1 = int(qMin(h->second - 1, rowLast) - rowStart);
            const QColor mark(0xff, 0xe0, 0x70);
            p.fillRect(QRectF(hexX(c0), y, hexX(c1) + 2 * m_charWidth - hexX(c0), m_lineHeight), mark);
            p.fillRect(QRectF(asciiX(c0), y, asciiX(c1 + 1) - asciiX(c0), m_lineHeight), mark);
        }
        p.setPen(pal.color(QPalette::Text));
        p.drawText(QPointF(textX, y + m_ascent), text);

        if (sel.length > 0 && sel.start <= rowLast && selLast >= rowStart) {
            const int c0 = int(qMax(sel.start, rowStart) - rowStart);
            const int c1 = int(qMin(selLast, rowLast) - rowStart);
            const QRectF hex(hexX(c0), y, hexX(c1) + 2 * m_charWidth - hexX(c0), m_lineHeight);
            const QRectF ascii(asciiX(c0), y, asciiX(c1 + 1) - asciiX(c0), m_lineHeight);
            QPainterPath area;
            area.addRect(hex);
            area.addRect(ascii);
            p.save();
            p.setClipPath(area);
            p.fillRect(hex, pal.color(QPalette::Highlight));
            p.fillRect(ascii, pal.color(QPalette::Highlight));
            p.setPen(pal.color(QPalette::HighlightedText));
            p.drawText(QPointF(textX, y + m_ascent), text);
            p.restore();
        }
        if (hasFocus() && m_cursor >= rowStart && m_cursor <= rowLast) {
            const int c = int(m_cursor - rowStart);
            p.setPen(pal.color(QPalette::Text));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(hexX(c), y, 2 * m_charWidth, m_lineHeight - 1));
            p.drawRect(QRectF(asciiX(c), y, m_charWidth, m_lineHeight - 1));
        }
    }
}

qint64 HexView::byteAt(QPoint pos) const
{
    const qint64 total = dataSize();
    if (total == 0)
        return 0;
    const qint64 row = qBound<qint64>(0, m_topRow + qFloor(qreal(pos.y()) / m_lineHeight), rowCount() - 1);
    const qreal column = (pos.x() - hexX(0)) / m_charWidth;
    int byte = 0;
    if (column >= asciiColumn(m_digits, 0) - hexColumn(m_digits, 0))
        byte = qMin(BytesPerRow - 1, int(column) - (asciiColumn(m_digits, 0) - hexColumn(m_digits, 0)));
    else if (column >= hexColumn(m_digits, 8) - hexColumn(m_digits, 0))
        byte = qMin(BytesPerRow - 1, 8 + int(column - (hexColumn(m_digits, 8) - hexColumn(m_digits, 0))) / 3);
    else if (column > 0)
        byte = qMin(7, int(column) / 3);
    return qMin(total - 1, row * BytesPerRow + byte);
}

void HexView::moveCursorTo(qint64 byte, bool extend)
{
    if (dataSize() == 0)
        return;
    byte = qBound<qint64>(0, byte, dataSize() - 1);
    if (extend) {
        m_hasSelection = true;
    } else {
        m_anchor = byte;
        m_hasSelection = false;
    }
    m_cursor = byte;
    ensureCursorVisible();
    viewport()->update();
}

void HexView::ensureCursorVisible()
{
    const qint64 row = m_cursor / BytesPerRow;
    if (row < m_topRow)
        setTopRow(row);
    else if (row >= m_topRow + fullRowsInView())
        setTopRow(row - fullRowsInView() + 1);
}

void HexView::keyPressEvent(QKeyEvent *e)
{
    if (e->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (e->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool extend = e->modifiers() & Qt::ShiftModifier;
    const qint64 page = qint64(fullRowsInView()) * BytesPerRow;
    switch (e->key()) {
    case Qt::Key_Left:
        moveCursorTo(m_cursor - 1, extend);
        break;
    case Qt::Key_Right:
        moveCursorTo(m_cursor + 1, extend);
        break;
    case Qt::Key_Up:
        moveCursorTo(m_cursor - BytesPerRow, extend);
        break;
    case Qt::Key_Down:
        moveCursorTo(m_cursor + BytesPerRow, extend);
        break;
    case Qt::Key_PageUp:
        setTopRow(m_topRow - fullRowsInView());
        moveCursorTo(m_cursor - page, extend);
        break;
    case Qt::Key_PageDown:
        setTopRow(m_topRow + fullRowsInView());
        moveCursorTo(m_cursor + page, extend);
        break;
    case Qt::Key_Home:
        setTopRow(0);
        moveCursorTo(0, extend);
        break;
    case Qt::Key_End:
        setTopRow(maxTopRow());
        moveCursorTo(dataSize() - 1, extend);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    e->accept();
}

void HexView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    moveCursorTo(byteAt(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
    m_dragging = true;
}

void HexView::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_dragging)
        return;
    m_dragPos = e->position().toPoint();
    const qint64 byte = byteAt(m_dragPos);
    if (byte != m_cursor)
        moveCursorTo(byte, true);
    // Dragging past the top or bottom keeps scrolling until the mouse is back.
    const bool outside = m_dragPos.y() < 0 || m_dragPos.y() >= viewport()->height();
    if (outside && !m_autoScroll.isActive())
        m_autoScroll.start();
    else if (!outside)
        m_autoScroll.stop();
}

void HexView::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(e);
        return;
    }
    m_dragging = false;
    m_autoScroll.stop();
}

void HexView::autoScroll()
{
    if (!m_dragging) {
        m_autoScroll.stop();
        return;
    }
    setTopRow(m_topRow + (m_dragPos.y() < 0 ? -1 : 1));
    moveCursorTo(byteAt(m_dragPos), true);
}

void HexView::wheelEvent(QWheelEvent *e)
{
    // In rows on our own: the scroll bar's steps get coarse past INT_MAX rows.
    const int dy = e->angleDelta().y();
    if (dy == 0) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    m_wheelRemainder += dy;
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    setTopRow(m_topRow - qint64(notches) * QApplication::wheelScrollLines());
    e->accept();
}

void HexView::contextMenuEvent(QContextMenuEvent *e)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(tr("コピー"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(selection().length > 0);
    connect(copyAction, &QAction::triggered, this, &HexView::copy);
    QAction *allAction = menu.addAction(tr("すべて選択"));
    allAction->setShortcut(QKeySequence::SelectAll);
    allAction->setEnabled(dataSize() > 0);
    connect(allAction, &QAction::triggered, this, &HexView::selectAll);
    menu.exec(e->globalPos());
}
