// The window's resize handling, pane layout and splitter drag.
#include "gui/ElidedLabel.h"
#include "gui/Layout.h"
#include "gui/NoticeBar.h"
#include "gui/RawTextPane.h"
#include "gui/ResponseView.h"
#include "gui/SplitterHandle.h"
#include "gui/Twips.h"
#include "gui/wireProbeDeskForm.h"

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
    layOutWindow();
}

void wireProbeDeskForm::layOutWindow()
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
    sizeControls(Twips::left(m_imgSplitter));
    // The status bar keeps the bottom 300 twips at the full client width.
    const float h = clientHeightTwips();
    Twips::place(m_statusBar, QRectF(0, h - 300, Twips::fromPixels(this, width()), 300));
    layOutStatusRow();
    // A notice lies over the top edge of the panes, as wide as the frame above them.
    const auto noticeWidth = static_cast<float>(Twips::rect(m_connectFrm).width());
    Twips::place(m_noticeBar,
                 QRectF(120, 1440, noticeWidth,
                        Twips::fromPixels(this, m_noticeBar->heightFor(Twips::toPixels(this, noticeWidth)))));
}

void wireProbeDeskForm::sizeControls(float x)
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const PaneLayout l = Layout::compute(x, outerWidthTwips(), clientHeightTwips());
    Twips::setLeft(m_imgSplitter, l.split);
    Twips::setLeft(m_saveCmd, l.saveLeft);
    Twips::setLeft(m_exitCmd, l.exitLeft);
    Twips::setWidth(m_connectFrm, l.connectWidth);
    Twips::place(m_requestFrm, l.requestFrm);
    Twips::place(m_requestTxt, l.requestTxt);
    Twips::place(m_responseFrm, l.responseFrm);
    Twips::place(m_responseTxt, l.responseTxt);
    Twips::setHeight(m_imgSplitter, l.barHeight);
    Twips::setHeight(m_picSplitter, l.barHeight);
}

void wireProbeDeskForm::startSplitterDrag()
{
    m_picSplitter->raise();
    m_imgSplitter->raise();
    m_picSplitter->show();
    m_splitterMoving = true;
}

void wireProbeDeskForm::moveSplitterDrag(float x)
{
    if (!m_splitterMoving)
        return;
    Twips::setLeft(m_picSplitter, Layout::dragBarLeft(Twips::left(m_imgSplitter) + x, outerWidthTwips()));
}

void wireProbeDeskForm::endSplitterDrag()
{
    sizeControls(Twips::left(m_picSplitter));
    m_picSplitter->hide();
    m_splitterMoving = false;
}
