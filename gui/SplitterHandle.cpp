#include "gui/SplitterHandle.h"

#include "gui/Twips.h"

#include <QMouseEvent>

SplitterHandle::SplitterHandle(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SplitHCursor);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

float SplitterHandle::twipsX(const QMouseEvent *e) const
{
    return static_cast<float>(e->position().x() * Twips::perPixel(this));
}

void SplitterHandle::mousePressEvent(QMouseEvent *e)
{
    emit mouseDown(twipsX(e));
}

void SplitterHandle::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMove(twipsX(e));
}

void SplitterHandle::mouseReleaseEvent(QMouseEvent *e)
{
    emit mouseUp(twipsX(e));
}
