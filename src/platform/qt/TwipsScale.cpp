#include "TwipsScale.h"

#include <QWidget>
#include <cmath>

TwipsScale::TwipsScale(double logicalDpi)
    : twipsPerPixel_(1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0)) {}

TwipsScale TwipsScale::of(const QWidget* widget) {
    return TwipsScale(widget->logicalDpiX());
}

int TwipsScale::toPixels(int twips) const {
    return static_cast<int>(std::lround(twips / twipsPerPixel_));
}

int TwipsScale::toTwips(int pixels) const {
    return static_cast<int>(std::lround(pixels * twipsPerPixel_));
}

float TwipsScale::toTwips(double pixels) const {
    return static_cast<float>(pixels * twipsPerPixel_);
}

QPointF TwipsScale::toPixels(float xTwips, float yTwips) const {
    return {xTwips / twipsPerPixel_, yTwips / twipsPerPixel_};
}

QRect TwipsScale::toPixels(const TwipsRect& rect) const {
    return {toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height)};
}

TwipsRect TwipsScale::toTwips(const QRect& rect) const {
    return {toTwips(rect.top()), toTwips(rect.left()), toTwips(rect.height()),
            toTwips(rect.width())};
}
