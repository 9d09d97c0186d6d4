#include "FocusColours.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace FocusColours {
namespace {
double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The least contrast against any of the colours.
double leastContrast(const QColor& colour, std::initializer_list<QColor> against) {
    double least = 21.0;
    for (const QColor& other : against)
        least = std::min(least, Contrast(colour, other));
    return least;
}

QColor withLightness(const QColor& from, int lightness) {
    const QColor hsl = from.toHsl();
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
}
}  // namespace

double Luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Reaching(const QColor& from, std::initializer_list<QColor> against, double ratio) {
    const int start = from.toHsl().lightness();
    QColor best = from.toRgb();
    double bestContrast = leastContrast(best, against);
    // Outwards from the colour's own lightness, one step each way at a time:
    // the first that reaches the ratio is the least change.
    for (int step = 0; step <= 255 && bestContrast < ratio; ++step) {
        for (const int lightness : {start - step, start + step}) {
            if (lightness < 0 || lightness > 255)
                continue;
            const QColor candidate = withLightness(from, lightness);
            const double contrast = leastContrast(candidate, against);
            if (contrast > bestContrast + 1e-9) {
                best = candidate;
                bestContrast = contrast;
                if (contrast >= ratio)
                    break;
            }
        }
    }
    return best;
}

QColor FocusFrame(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor selection = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor all = Reaching(selection, {window, base, selection}, Visible);
    if (leastContrast(all, {window, base, selection}) >= Visible)
        return all;
    // A mid-bright selection on a dark background: no colour stands out from
    // both. The frame must be seen around the list first.
    return Reaching(selection, {window, base}, Visible);
}

QColor UnfocusedSelection(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor selection = palette.color(QPalette::Active, QPalette::Highlight).toHsl();
    const QColor grey =
        QColor::fromHsl(selection.hslHue(), selection.hslSaturation() / 4, selection.lightness());
    return Reaching(grey, {base}, Visible);
}

QColor TextOn(const QColor& background) {
    const QColor black(Qt::black), white(Qt::white);
    return Contrast(black, background) >= Contrast(white, background) ? black : white;
}
}  // namespace FocusColours
