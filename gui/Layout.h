#pragma once

#include <QRectF>

// Where the panes go for a requested split position x, an outer window width W
// and a client height H, all in twips.
struct PaneLayout
{
    float split; // x after clamping
    float saveLeft;
    float exitLeft;
    float connectWidth;
    QRectF requestFrm;
    QRectF requestTxt; // relative to requestFrm
    QRectF responseFrm;
    QRectF responseTxt; // relative to responseFrm
    float barHeight;    // imgSplitter and picSplitter
};

namespace Layout {
constexpr float MinOuterWidth = 8000;
constexpr float MinOuterHeight = 4500;
constexpr float SplitMargin = 1600;
constexpr float DragMargin = 500;
constexpr float DragOffset = 40;

PaneLayout compute(float x, float W, float H);
// Where the grey bar goes for a pointer at client position pointerX.
float dragBarLeft(float pointerX, float W);
}
