#include "gui/SummaryLine.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {
const QString Separator = QStringLiteral(" | ");
constexpr int Pad = 3;
} // namespace

SummaryLine::SummaryLine(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setContentsMargins(4, 0, 0, 0); // room for the line that parts it from the status text
}

QColor SummaryLine::warningColor()
{
    return QColor(0xB0, 0x3A, 0x00);
}

void SummaryLine::setExchange(const QList<Part> &parts)
{
    m_exchange = parts;
    refresh();
}

void SummaryLine::setOptions(const QList<Part> &parts)
{
    m_options = parts;
    refresh();
}

void SummaryLine::setSoapFault(const QString &summary)
{
    m_soapFault = summary;
    refresh();
}

void SummaryLine::setEdited(bool edited)
{
    m_edited = edited;
    refresh();
}

QList<SummaryLine::Part> SummaryLine::parts() const
{
    QList<Part> all;
    if (m_edited)
        all << Part{tr("編集済み"), true, DetailsForm::Page::Overview};
    all += m_exchange;
    if (!m_soapFault.isEmpty())
        all << Part{m_soapFault, true, DetailsForm::Page::Pretty};
    return all + m_options;
}

void SummaryLine::refresh()
{
    QStringList texts;
    for (const Part &p : parts())
        texts << p.text;
    setText(texts.join(Separator));
    updateGeometry();
    update();
}

int SummaryLine::fullWidth() const
{
    if (text().isEmpty())
        return 0;
    const QMargins m = contentsMargins();
    return fontMetrics().horizontalAdvance(text()) + 2 * Pad + m.left() + m.right();
}

QList<SummaryLine::Placed> SummaryLine::place() const
{
    const QFontMetrics fm = fontMetrics();
    const QRect inner = contentsRect();
    const int end = inner.left() + inner.width() - Pad; // one past the last pixel
    const int gap = fm.horizontalAdvance(Separator);
    const int ellipsis = fm.horizontalAdvance(QStringLiteral("…"));
    const QList<Part> all = parts();
    QList<Placed> out;
    int x = contentsRect().left() + Pad;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (i > 0)
            x += gap;
        const int room = end - x;
        if (room < ellipsis)
            break;
        const QString &text = all[i].text;
        const int full = fm.horizontalAdvance(text);
        // A part that is not the last leaves room to show that more follows.
        const int more = i + 1 < all.size() ? gap + ellipsis : 0;
        if (full <= room - more) {
            out.append({x, x + full, text});
            x += full;
            continue;
        }
        const QString shown = fm.elidedText(text, Qt::ElideRight, qMin(room, full - 1));
        out.append({x, x + fm.horizontalAdvance(shown), shown});
        break;
    }
    return out;
}

void SummaryLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QList<Part> all = parts();
    const QList<Placed> placed = place();
    const QRect r = contentsRect();
    const QColor normal = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    QColor dim = normal;
    dim.setAlphaF(0.5);
    if (!placed.isEmpty()) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, r.top() + 2, 0, r.bottom() - 2);
    }
    for (qsizetype i = 0; i < placed.size(); ++i) {
        if (i > 0) {
            painter.setPen(dim);
            painter.drawText(QRect(placed[i - 1].right, r.top(), placed[i].left - placed[i - 1].right, r.height()),
                             Qt::AlignCenter | Qt::TextSingleLine, Separator);
        }
        painter.setPen(all[i].warning ? warningColor() : normal);
        painter.drawText(QRect(placed[i].left, r.top(), placed[i].right - placed[i].left + 1, r.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, placed[i].shown);
    }
}

void SummaryLine::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint()))
        return;
    const QList<Part> all = parts();
    const QList<Placed> placed = place();
    const int x = e->position().toPoint().x();
    DetailsForm::Page page = DetailsForm::Page::Overview;
    for (qsizetype i = 0; i < placed.size(); ++i)
        if (x >= placed[i].left && x <= placed[i].right)
            page = all[i].page;
    emit pageRequested(page);
}

bool SummaryLine::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        QStringList lines;
        for (const Part &p : parts())
            lines << (p.warning ? QStringLiteral("<span style='color:%1'>%2</span>")
                                      .arg(warningColor().name(), p.text.toHtmlEscaped())
                                : p.text.toHtmlEscaped());
        lines << tr("クリックすると詳細ウィンドウの該当するページを開きます。");
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(),
                           QStringLiteral("<p style='white-space:pre-wrap'>") + lines.join(QStringLiteral("<br>"))
                               + QStringLiteral("</p>"),
                           this);
        return true;
    }
    return QLabel::event(e);
}
