#pragma once

#include "platform/Geometry.h"

#include <QPointF>
#include <QRect>

class QWidget;

// Converts between the logic's twips and the pixels of one screen. A twip is
// 1/1440 inch, so a logical pixel is 1440 / logical dpi twips (15 at 96 dpi).
class TwipsScale {
public:
    explicit TwipsScale(double logicalDpi);
    // The scale of the screen the widget is on.
    static TwipsScale of(const QWidget* widget);

    double twipsPerPixel() const { return twipsPerPixel_; }
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    float toTwips(double pixels) const;
    QPointF toPixels(float xTwips, float yTwips) const;
    QRect toPixels(const TwipsRect& rect) const;
    TwipsRect toTwips(const QRect& rect) const;

private:
    double twipsPerPixel_;
};
