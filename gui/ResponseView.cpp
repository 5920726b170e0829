// The response pane: the bytes it shows, scrolling and drawing.
#include "gui/ResponseView.h"

#include "core/ExchangeEngine.h"
#include "gui/RawTextPane.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <climits>

namespace {

constexpr qreal Margin = 4; // around the text, as a plain text edit has it
constexpr qint64 BarRange = INT_MAX / 2;

qreal heightOf(const ResponseLayout::Row &r)
{
    return r.textLine().height();
}

} // namespace

ResponseView::ResponseView(QWidget *parent) : QAbstractScrollArea(parent), m_layout(&m_text), m_units(&m_text.lines())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    setAccessibleName(tr("応答メッセージ"));
    m_text.attach(nullptr);
    m_layout.setFont(font());

    // The arrows and the trough move by rows; the units only place the thumb.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this](int action) {
        const qint64 page = qMax<qint64>(1, qint64(viewport()->height() / m_layout.rowHeight()) - 1);
        qint64 rows = 0;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            rows = 1;
            break;
        case QAbstractSlider::SliderSingleStepSub:
            rows = -1;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            rows = page;
            break;
        case QAbstractSlider::SliderPageStepSub:
            rows = -page;
            break;
        default:
            return;
        }
        verticalScrollBar()->setSliderPosition(verticalScrollBar()->value());
        scrollRows(rows);
    });
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(30);
    connect(&m_refresh, &QTimer::timeout, this, &ResponseView::refresh);
    m_autoScroll.setInterval(50);
    connect(&m_autoScroll, &QTimer::timeout, this, &ResponseView::autoScroll);

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("responseNoticeLbl"));
    m_notice->setWordWrap(true);
    m_notice->setAutoFillBackground(true);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_notice->setMargin(4);
    m_notice->hide();
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(8000);
    connect(&m_noticeTimer, &QTimer::timeout, m_notice, &QWidget::hide);
    relayout();
}

ResponseView::~ResponseView() = default;

void ResponseView::follow(const ExchangeEngine *engine)
{
    setSource(&engine->response());
    connect(engine, &ExchangeEngine::cleared, this, &ResponseView::restart);
    connect(engine, &ExchangeEngine::arrived, this, [this] { grew(); });
    connect(engine, &ExchangeEngine::outcomeChanged, this, [this](ExchangeEngine::Outcome o) {
        // An abort reports nothing; the pane is left as it stands.
        if (o != ExchangeEngine::Outcome::Running && o != ExchangeEngine::Outcome::Idle)
            grew(true);
    });
}

void ResponseView::setSource(const QByteArray *bytes)
{
    m_bytes = bytes;
    m_text.attach(bytes);
    restart();
    grew();
}

void ResponseView::restart()
{
    if (m_editor)
        revert();
    m_refresh.stop();
    m_text.clear();
    m_layout.clear();
    m_units.follow();
    m_knownLines = 1;
    m_top = 0;
    m_anchor = m_cursor = 0;
    m_highlights.clear();
    m_frameValid = false;
    m_shown = 0;
    m_notice->hide();
    updateScrollBars();
    viewport()->update();
}

void ResponseView::grew(bool ended)
{
    const qint64 before = m_text.size();
    m_text.update();
    const bool ending = ended && !m_text.ended();
    if (ending)
        m_text.setEnded(true);
    if (m_text.size() == before && !ending)
        return;
    // While bytes stream in, the pane catches up a few dozen times a second;
    // the end is shown at once.
    if (ending)
        refresh();
    else if (!m_refresh.isActive())
        m_refresh.start();
}

void ResponseView::refresh()
{
    m_refresh.stop();
    m_units.follow();
    m_layout.lastLineChanged();
    // What is in sight changes only when the rows in sight reach the lines that grew.
    const bool reaches = !m_frameValid || !m_frameFills || m_frame.isEmpty()
                         || m_frame.last().piece->line + 1 >= m_knownLines;
    m_knownLines = m_text.lines().lineCount();
    updateScrollBars();
    if (reaches) {
        m_frameValid = false;
        viewport()->update();
    } else {
        m_shown = m_text.size();
    }
}

void ResponseView::setEncoding(const QString &name)
{
    // An editor holding the text as it arrived gives way to the bytes in the
    // new encoding; an edit stays, to be saved in the new encoding.
    if (m_editor && !isEdited())
        revert();
    m_text.setEncoding(name);
    m_layout.clear();
    m_anchor = m_text.boundaryAtOrBefore(m_anchor);
    m_cursor = m_text.boundaryAtOrBefore(m_cursor);
    m_frameValid = false;
    updateEditNote();
    viewport()->update();
}

void ResponseView::setWrap(bool on)
{
    m_wrap = on;
    if (!m_editor)
        setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (m_editor) {
        m_editor->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        m_editor->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    }
    relayout();
}

QString ResponseView::plainText() const
{
    return m_editor ? m_editor->rawText() : m_text.text(0, m_text.size());
}

bool ResponseView::isEmpty() const
{
    return m_editor ? m_editor->document()->isEmpty() : m_text.size() == 0;
}

qreal ResponseView::margin() const
{
    return Margin;
}

qreal ResponseView::textWidth() const
{
    return viewport()->width() - 2 * Margin;
}

qreal ResponseView::hOffset() const
{
    return m_wrap ? 0 : qreal(horizontalScrollBar()->value()) * qreal(m_hScale);
}

void ResponseView::relayout()
{
    m_layout.setWrap(m_wrap, textWidth());
    m_layout.setVisibleSpan(hOffset(), viewport()->width());
    m_units.setBytesPerRow(m_wrap ? m_layout.bytesPerRow() : 0);
    m_frameValid = false;
    updateScrollBars();
    viewport()->update();
}

void ResponseView::updateScrollBars()
{
    m_syncingBars = true;
    QScrollBar *v = verticalScrollBar();
    const qint64 page = qMax<qint64>(1, qint64(viewport()->height() / m_layout.rowHeight()));
    const qint64 top = qMax<qint64>(0, m_units.total() - page);
    m_barScale = top > BarRange ? top / BarRange + 1 : 1;
    v->setRange(0, int(top / m_barScale));
    v->setPageStep(int(qMax<qint64>(1, page / m_barScale)));
    v->setSingleStep(1);
    const LineIndex::Line l = m_text.lines().lineAt(m_top);
    v->setValue(int(qMin(top, m_units.valueOf(l.number, m_top - l.begin)) / m_barScale));

    QScrollBar *h = horizontalScrollBar();
    if (m_wrap) {
        h->setRange(0, 0);
    } else {
        const qreal width = qreal(m_text.lines().longest() + 1) * m_layout.charWidth() + 2 * Margin;
        const qint64 range = qMax<qint64>(0, qint64(width) - viewport()->width());
        m_hScale = range > BarRange ? range / BarRange + 1 : 1;
        h->setRange(0, int(range / m_hScale));
        h->setPageStep(int(qMax<qint64>(1, viewport()->width() / m_hScale)));
        h->setSingleStep(int(qMax<qint64>(1, qint64(m_layout.charWidth()) / m_hScale)));
    }
    m_syncingBars = false;
}

QList<ResponseView::Row> ResponseView::rowsFrom(const Row &top, qreal height)
{
    QList<Row> rows;
    qreal y = 0;
    for (Row r = top; r.valid() && y < height; r = m_layout.next(r)) {
        rows.append(r);
        y += heightOf(r);
    }
    return rows;
}

void ResponseView::buildFrame()
{
    if (m_frameValid)
        return;
    m_layout.setVisibleSpan(hOffset(), viewport()->width());
    const Row top = m_layout.rowAt(m_top);
    m_top = top.begin;
    const qreal room = viewport()->height() - Margin;
    m_frame = rowsFrom(top, room);
    qreal used = 0;
    for (const Row &r : std::as_const(m_frame))
        used += heightOf(r);
    m_frameFills = used >= room;
    m_frameValid = true;
}

void ResponseView::setTop(const Row &row)
{
    if (!row.valid())
        return;
    m_top = row.begin;
    m_frameValid = false;
    m_syncingBars = true;
    QScrollBar *v = verticalScrollBar();
    const LineIndex::Line l = m_text.lines().lineAt(m_top);
    v->setValue(int(m_units.valueOf(l.number, m_top - l.begin) / m_barScale));
    m_syncingBars = false;
    viewport()->update();
}

void ResponseView::settleTop()
{
    // No room is left below the last row: the end stays at the bottom.
    const qreal room = viewport()->height() - Margin;
    Row top = m_layout.rowAt(m_top);
    qreal used = 0;
    Row r = top;
    for (; r.valid() && used < room; r = m_layout.next(r))
        used += heightOf(r);
    if (r.valid() || used >= room)
        return;
    for (Row p = m_layout.previous(top); p.valid() && used + heightOf(p) <= room; p = m_layout.previous(p)) {
        used += heightOf(p);
        top = p;
    }
    setTop(top);
    m_syncingBars = true;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    m_syncingBars = false;
}

void ResponseView::scrollRows(qint64 rows)
{
    Row r = m_layout.rowAt(m_top);
    for (; rows > 0; --rows) {
        const Row n = m_layout.next(r);
        if (!n.valid())
            break;
        r = n;
    }
    for (; rows < 0; ++rows) {
        const Row p = m_layout.previous(r);
        if (!p.valid())
            break;
        r = p;
    }
    setTop(r);
    settleTop();
}

void ResponseView::scrollToEnd()
{
    const qreal room = viewport()->height() - Margin;
    Row top = m_layout.rowAt(m_text.size());
    qreal used = heightOf(top);
    for (Row p = m_layout.previous(top); p.valid() && used + heightOf(p) <= room; p = m_layout.previous(p)) {
        used += heightOf(p);
        top = p;
    }
    setTop(top);
    m_syncingBars = true;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    m_syncingBars = false;
}

void ResponseView::jumpTo(int value)
{
    QScrollBar *v = verticalScrollBar();
    if (value >= v->maximum() && v->maximum() > 0) {
        scrollToEnd();
        return;
    }
    const ScrollUnits::Position p = m_units.positionOf(qint64(value) * m_barScale);
    const LineIndex::Line line = m_text.lines().line(p.line);
    const Row r = m_layout.rowAt(line.begin + qMin(p.offset, line.length()));
    m_top = r.begin;
    m_frameValid = false;
    viewport()->update();
}

void ResponseView::scrollContentsBy(int dx, int dy)
{
    if (m_syncingBars)
        return;
    if (dy != 0)
        jumpTo(verticalScrollBar()->value());
    if (dx != 0) {
        m_frameValid = false;
        viewport()->update();
    }
}

void ResponseView::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (m_editPanel)
        m_editPanel->setGeometry(rect());
    const QRect area = viewport()->geometry();
    m_notice->setGeometry(area.x(), area.y(), area.width(), m_notice->heightForWidth(area.width()));
    relayout();
}

void ResponseView::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange) {
        m_layout.setFont(font());
        if (m_editor)
            m_editor->setFont(font());
        relayout();
    }
    QAbstractScrollArea::changeEvent(e);
}

void ResponseView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    buildFrame();
    const QPalette &pal = palette();
    const QPair<qint64, qint64> sel = selectedBytes();
    QTextCharFormat selected;
    selected.setBackground(pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight));
    selected.setForeground(pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText));
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 225, 80));
    const int caretRow = hasFocus() && m_caretOn ? frameRowOf(m_cursor) : -1;
    const qreal left = Margin - hOffset();
    const qreal width = viewport()->width();
    qreal y = Margin;
    for (int i = 0; i < m_frame.size();) {
        // The rows in sight from one piece are drawn together: drawing each
        // on its own would draw the rows that touch it again.
        const ResponseLayout::PiecePtr piece = m_frame[i].piece;
        int last = i;
        qreal height = m_frame[i].textLine().height();
        while (last + 1 < m_frame.size() && m_frame[last + 1].piece == piece) {
            ++last;
            height += m_frame[last].textLine().height();
        }
        const QPointF origin(left + m_frame[i].x, y - m_frame[i].textLine().y());
        // The piece's share of the marks and the selection, as character ranges.
        const qint64 readEnd = piece->begin + piece->text.read;
        QList<QTextLayout::FormatRange> formats;
        const auto mark = [&](qint64 from, qint64 to, const QTextCharFormat &f) {
            from = qMax(from, piece->begin);
            to = qMin(to, readEnd);
            if (from >= to)
                return;
            const int a = int(piece->indexOf(from));
            const int b = to >= readEnd ? int(piece->text.text.size()) : int(piece->indexOf(to));
            if (b > a)
                formats.append({a, b - a, f});
        };
        // The marks are in order: only those over this piece are looked at.
        auto h = std::lower_bound(m_highlights.cbegin(), m_highlights.cend(), piece->begin,
                                  [](const QPair<qint64, qint64> &m, qint64 at) { return m.second <= at; });
        for (; h != m_highlights.cend() && h->first < readEnd; ++h)
            mark(h->first, h->second, marked);
        mark(sel.first, sel.second, selected);
        const QRectF area(0, y, width, height);
        p.save();
        p.setClipRect(area);
        piece->layout.draw(&p, origin, formats, area.adjusted(0, 0.5, 0, -0.5));
        p.restore();
        for (int k = i; k <= last; ++k) {
            const Row &r = m_frame[k];
            const QTextLine line = r.textLine();
            const qreal h = line.height();
            // A selected line end shows as half a blank after the line.
            if (r.lastOfLine() && sel.first <= r.end && sel.second > r.end)
                p.fillRect(QRectF(origin.x() + line.naturalTextWidth(), y, m_layout.charWidth() / 2, h),
                           selected.background());
            if (k == caretRow && m_cursor >= piece->begin && m_cursor <= readEnd)
                p.fillRect(QRectF(origin.x() + line.cursorToX(int(piece->indexOf(m_cursor))), y, 1, h),
                           pal.brush(QPalette::Text));
            y += h;
        }
        i = last + 1;
    }
    m_shown = m_text.size();
}
