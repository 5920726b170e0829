#pragma once

#include <QRectF>

class QWidget;

// Positions and sizes are kept in twips (1/1440 inch) as single-precision
// values; pixels are derived from them only when a widget is placed, so a
// value survives any number of round trips whatever the pixel rounding.
namespace Twips {
float perPixel(const QWidget *w);
int toPixels(const QWidget *w, float twips);
float fromPixels(const QWidget *w, int px);

// Stores the rectangle (relative to the parent) on the widget and places it.
void place(QWidget *w, const QRectF &r);
void setLeft(QWidget *w, float left);
void setWidth(QWidget *w, float width);
void setHeight(QWidget *w, float height);
// The rectangle last given to place() and the setters above.
QRectF rect(const QWidget *w);
float left(const QWidget *w);
}
