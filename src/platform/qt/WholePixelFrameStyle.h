#pragma once

#include <QProxyStyle>

// Draws a view's one-pixel frame on whole pixels of the screen where a
// pixel of the widgets is a fraction of them (a screen scaled by 125 % or
// 150 %). There the style's own line falls between the screen's pixels, and
// the view's contents cover what is left of it: the right and bottom edges
// vanish. At whole scales the style draws its frame as it likes.
class WholePixelFrameStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};
