#include "gui/Layout.h"

PaneLayout Layout::compute(float x, float W, float H)
{
    if (x < SplitMargin)
        x = SplitMargin;
    // Tested after the lower limit, so in a window narrower than twice the
    // margin the upper limit wins.
    if (x > W - SplitMargin)
        x = W - SplitMargin;

    PaneLayout l;
    l.split = x;
    l.saveLeft = W - 2440;
    l.exitLeft = W - 1350;
    l.connectWidth = W - 320;
    const float paneHeight = H - 1850;
    const float requestWidth = x - 130;
    l.requestFrm = QRectF(120, 1440, requestWidth, paneHeight);
    l.requestTxt = QRectF(120, 240, requestWidth - 240, paneHeight - 400);
    const float responseWidth = W - (requestWidth + 400);
    l.responseFrm = QRectF(x + 70, 1440, responseWidth, paneHeight);
    l.responseTxt = QRectF(120, 240, responseWidth - 240, paneHeight - 400);
    l.barHeight = paneHeight;
    return l;
}

float Layout::dragBarLeft(float pointerX, float W)
{
    const float p = pointerX - DragOffset;
    if (p < DragMargin)
        return DragMargin;
    if (p > W - DragMargin)
        return W - DragMargin;
    return p;
}
