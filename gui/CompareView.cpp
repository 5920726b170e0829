#include "gui/CompareView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

using ResponseDiff::Row;

namespace {

constexpr int Divider = 6;
constexpr int GutterDigits = 7;

const QColor ChangedBg(255, 243, 196);
const QColor ChangedChars(255, 196, 110);
const QColor RemovedBg(255, 215, 215);
const QColor AddedBg(215, 245, 215);
const QColor AbsentBg(236, 236, 236);

// One character for one: tabs and control characters as visible signs, so
// that offsets into the line stay offsets into what is drawn.
QString visible(QStringView s)
{
    QString out = s.toString();
    for (QChar &c : out) {
        if (c == QLatin1Char('\t'))
            c = QChar(0x21E5);
        else if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7f)
            c = QChar(0x2421);
    }
    return out;
}

} // namespace

CompareView::CompareView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_rowHeight = fontMetrics().height() + 2;
    m_charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void CompareView::setResult(std::shared_ptr<const ResponseDiff::Result> result)
{
    m_result = std::move(result);
    m_spans.clear();
    m_current = -1;
    m_longest = 0;
    if (m_result)
        for (const ResponseDiff::Side *side : {&m_result->left, &m_result->right})
            for (qint32 n : side->lengths)
                m_longest = qMax(m_longest, int(n));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateBars();
    viewport()->update();
}

qint32 CompareView::topRow() const
{
    return verticalScrollBar()->value();
}

void CompareView::showRow(qint32 row)
{
    m_current = row;
    verticalScrollBar()->setValue(qMax(0, row - 3));
    viewport()->update();
}

void CompareView::updateBars()
{
    const int rows = m_result ? int(m_result->rows.size()) : 0;
    const int page = qMax(1, viewport()->height() / m_rowHeight);
    verticalScrollBar()->setRange(0, qMax(0, rows - page));
    verticalScrollBar()->setPageStep(page);
    const int sideChars = qMax(1, ((viewport()->width() - Divider) / 2) / m_charWidth - GutterDigits - 1);
    horizontalScrollBar()->setRange(0, qMax(0, m_longest - sideChars + 1));
    horizontalScrollBar()->setPageStep(sideChars);
}

void CompareView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateBars();
}

void CompareView::scrollContentsBy(int, int)
{
    viewport()->update();
}

const ResponseDiff::Spans &CompareView::spans(qint32 row)
{
    auto it = m_spans.find(row);
    if (it == m_spans.end()) {
        const Row &r = m_result->rows[row];
        it = m_spans.insert(row,
                            ResponseDiff::changedCharacters(m_result->left.line(r.left), m_result->right.line(r.right)));
    }
    return *it;
}

void CompareView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    if (!m_result)
        return;
    const int sideWidth = (viewport()->width() - Divider) / 2;
    const int first = verticalScrollBar()->value();
    const int count = viewport()->height() / m_rowHeight + 2;
    for (int i = 0; i < count && first + i < m_result->rows.size(); ++i) {
        const int y = i * m_rowHeight;
        drawSide(p, 0, sideWidth, y, first + i, true);
        drawSide(p, sideWidth + Divider, sideWidth, y, first + i, false);
        if (first + i == m_current) {
            p.setPen(QPen(palette().highlight().color(), 1));
            p.drawRect(0, y, viewport()->width() - 1, m_rowHeight - 1);
        }
    }
    p.fillRect(sideWidth, 0, Divider, viewport()->height(), palette().window());
}

void CompareView::drawSide(QPainter &p, int x, int width, int y, qint32 row, bool left)
{
    const Row &r = m_result->rows[row];
    const qint32 line = left ? r.left : r.right;
    const ResponseDiff::Side &side = left ? m_result->left : m_result->right;
    QColor bg;
    switch (r.kind) {
    case Row::Changed:
        bg = ChangedBg;
        break;
    case Row::Removed:
        bg = left ? RemovedBg : AbsentBg;
        break;
    case Row::Added:
        bg = left ? AbsentBg : AddedBg;
        break;
    default:
        break;
    }
    p.save();
    p.setClipRect(x, y, width, m_rowHeight);
    if (bg.isValid())
        p.fillRect(x, y, width, m_rowHeight, bg);
    const int gutter = GutterDigits * m_charWidth;
    const int baseline = y + 1 + fontMetrics().ascent();
    if (line >= 0) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(QRect(x, y, gutter - m_charWidth / 2, m_rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(line + 1));
        const int from = horizontalScrollBar()->value();
        const QStringView all = side.line(line);
        const int chars = width / qMax(1, m_charWidth) + 1;
        const QString shown = visible(all.mid(qMin<qsizetype>(from, all.size()), chars));
        const int textX = x + gutter + m_charWidth / 2;
        if (r.kind == Row::Changed) {
            const ResponseDiff::Spans &s = spans(row);
            for (const auto &[start, length] : left ? s.left : s.right) {
                const int a = qBound(0, start - from, int(shown.size()));
                const int b = qBound(0, start + length - from, int(shown.size()));
                if (b <= a)
                    continue;
                const int ax = fontMetrics().horizontalAdvance(shown.left(a));
                const int bx = fontMetrics().horizontalAdvance(shown.left(b));
                p.fillRect(textX + ax, y, bx - ax, m_rowHeight, ChangedChars);
            }
        }
        p.setPen(r.kind == Row::Ignored ? palette().color(QPalette::PlaceholderText) : palette().color(QPalette::Text));
        p.drawText(textX, baseline, shown);
        // A line end that differs is the change: shown, and marked.
        if (r.kind == Row::Changed && m_result->left.end(r.left) != m_result->right.end(r.right)
            && from + shown.size() >= all.size()) {
            const QString end = visible(side.end(line)) + QChar(0x21B5);
            const int endX = textX + fontMetrics().horizontalAdvance(shown);
            p.fillRect(endX, y, fontMetrics().horizontalAdvance(end), m_rowHeight, ChangedChars);
            p.drawText(endX, baseline, end);
        }
    }
    p.restore();
}
