// The window's resize handling, pane layout and splitter drag.
#include "window/Layout.h"
#include "window/RawTextPane.h"
#include "window/SplitterHandle.h"
#include "window/Twips.h"
#include "window/wireProbeDeskForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <cmath>

float wireProbeDeskForm::outerWidthTwips() const
{
    return Twips::fromPixels(this, frameGeometry().width());
}

float wireProbeDeskForm::clientHeightTwips() const
{
    return Twips::fromPixels(this, height());
}

void wireProbeDeskForm::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    settleOuterSize();
    Form_Resize();
}

void wireProbeDeskForm::Form_Resize()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const int frameW = frameGeometry().width() - width();
        const int frameH = frameGeometry().height() - height();
        // Rounded up: the window is never smaller than the minimum.
        const int minW = static_cast<int>(std::ceil(Layout::MinOuterWidth / Twips::perPixel(this))) - frameW;
        const int minH = static_cast<int>(std::ceil(Layout::MinOuterHeight / Twips::perPixel(this))) - frameH;
        if (width() < minW || height() < minH)
            resize(qMax(width(), minW), qMax(height(), minH));
    }
    SizeControls(Twips::left(imgSplitter));
    // The status bar keeps the bottom 300 twips at the full client width.
    const float h = clientHeightTwips();
    Twips::place(statusBar, QRectF(0, h - 300, Twips::fromPixels(this, width()), 300));
}

void wireProbeDeskForm::SizeControls(float x)
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const PaneLayout l = Layout::compute(x, outerWidthTwips(), clientHeightTwips());
    Twips::setLeft(imgSplitter, l.split);
    Twips::setLeft(saveCmd, l.saveLeft);
    Twips::setLeft(exitCmd, l.exitLeft);
    Twips::setWidth(connectFrm, l.connectWidth);
    Twips::place(requestFrm, l.requestFrm);
    Twips::place(requestTxt, l.requestTxt);
    Twips::place(responseFrm, l.responseFrm);
    Twips::place(responseTxt, l.responseTxt);
    Twips::setHeight(imgSplitter, l.barHeight);
    Twips::setHeight(picSplitter, l.barHeight);
}

void wireProbeDeskForm::imgSplitter_MouseDown(float)
{
    picSplitter->raise();
    imgSplitter->raise();
    picSplitter->show();
    m_splitterMoving = true;
}

void wireProbeDeskForm::imgSplitter_MouseMove(float x)
{
    if (!m_splitterMoving)
        return;
    Twips::setLeft(picSplitter, Layout::dragBarLeft(Twips::left(imgSplitter) + x, outerWidthTwips()));
}

void wireProbeDeskForm::imgSplitter_MouseUp(float)
{
    SizeControls(Twips::left(picSplitter));
    picSplitter->hide();
    m_splitterMoving = false;
}
