#include "gui/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace {
constexpr int Pad = 3; // pixels between the frame and the text
}

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setReservedRight(int px)
{
    if (px == m_reserved)
        return;
    m_reserved = px;
    update();
}

QString ElidedLabel::singleLine() const
{
    QString t = text();
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return t;
}

int ElidedLabel::fullWidth() const
{
    const QMargins m = contentsMargins();
    return fontMetrics().horizontalAdvance(singleLine()) + 2 * Pad + m.left() + m.right();
}

QRect ElidedLabel::textRect() const
{
    QRect r = contentsRect().adjusted(Pad, 0, -Pad, 0);
    r.setRight(r.right() - m_reserved);
    return r;
}

bool ElidedLabel::isCut() const
{
    return text().contains(QLatin1Char('\n')) || text().contains(QLatin1Char('\r'))
           || fontMetrics().horizontalAdvance(singleLine()) > textRect().width();
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawFrame(&p);
    const QRect r = textRect();
    if (r.width() <= 0)
        return;
    const QString shown = fontMetrics().elidedText(singleLine(), Qt::ElideRight, r.width());
    style()->drawItemText(&p, r, int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine, palette(), isEnabled(),
                          shown, foregroundRole());
}

bool ElidedLabel::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip && isCut()) {
        // The label's own tip, then everything it could not show; line breaks kept.
        QString tip = toolTip().toHtmlEscaped();
        if (!tip.isEmpty())
            tip += QStringLiteral("<hr>");
        tip += text().toHtmlEscaped();
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(),
                           QStringLiteral("<p style='white-space:pre-wrap'>") + tip + QStringLiteral("</p>"), this);
        return true;
    }
    return QLabel::event(e);
}
