#include "gui/Twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {
const char *const kProp = "twipsRect";

int dpi(const QWidget *w)
{
    const int d = w->logicalDpiX();
    return d > 0 ? d : 96;
}
} // namespace

float Twips::perPixel(const QWidget *w)
{
    return 1440.0f / static_cast<float>(dpi(w));
}

int Twips::toPixels(const QWidget *w, float twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi(w) / 1440.0));
}

float Twips::fromPixels(const QWidget *w, int px)
{
    return static_cast<float>(static_cast<double>(px) * 1440.0 / dpi(w));
}

void Twips::place(QWidget *w, const QRectF &r)
{
    w->setProperty(kProp, r);
    const int x = toPixels(w, static_cast<float>(r.left()));
    const int y = toPixels(w, static_cast<float>(r.top()));
    // Right and bottom edges are rounded on their own so neighbours meet exactly.
    const int right = toPixels(w, static_cast<float>(r.left() + r.width()));
    const int bottom = toPixels(w, static_cast<float>(r.top() + r.height()));
    w->setGeometry(x, y, qMax(0, right - x), qMax(0, bottom - y));
}

QRectF Twips::rect(const QWidget *w)
{
    return w->property(kProp).toRectF();
}

float Twips::left(const QWidget *w)
{
    return static_cast<float>(rect(w).left());
}

void Twips::setLeft(QWidget *w, float left)
{
    QRectF r = rect(w);
    r.moveLeft(left);
    place(w, r);
}

void Twips::setWidth(QWidget *w, float width)
{
    QRectF r = rect(w);
    r.setWidth(width);
    place(w, r);
}

void Twips::setHeight(QWidget *w, float height)
{
    QRectF r = rect(w);
    r.setHeight(height);
    place(w, r);
}
