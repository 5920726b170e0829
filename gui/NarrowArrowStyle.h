#pragma once

#include <QProxyStyle>

// A combo box style with a narrower drop-down arrow, so that a field of the
// window's fixed design width still shows a whole port number ("65535").
class NarrowArrowStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex *opt, SubControl sc,
                         const QWidget *widget) const override;
};
