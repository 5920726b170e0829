#include "gui/NarrowArrowStyle.h"

#include <QStyleOptionComplex>

namespace {
constexpr int ArrowWidth = 11;
constexpr int Frame = 2;
} // namespace

QRect NarrowArrowStyle::subControlRect(ComplexControl cc, const QStyleOptionComplex *opt, SubControl sc,
                                       const QWidget *widget) const
{
    if (cc != CC_ComboBox)
        return QProxyStyle::subControlRect(cc, opt, sc, widget);
    const QRect r = opt->rect;
    switch (sc) {
    case SC_ComboBoxArrow:
        return visualRect(opt->direction, r,
                          QRect(r.right() - ArrowWidth - Frame + 1, r.top() + Frame, ArrowWidth, r.height() - 2 * Frame));
    case SC_ComboBoxEditField:
        return visualRect(
            opt->direction, r,
            QRect(r.left() + Frame, r.top() + Frame, r.width() - ArrowWidth - 2 * Frame, r.height() - 2 * Frame));
    default:
        return QProxyStyle::subControlRect(cc, opt, sc, widget);
    }
}
