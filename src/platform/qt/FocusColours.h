#pragma once

#include <QColor>
#include <initializer_list>

class QPalette;

// Colours that tell where the keyboard is, chosen from the palette in use so
// that they follow a light or a dark theme. A mark the user must see needs a
// contrast of at least 3:1 against what lies beside it (the contrast ratio of
// relative luminances that accessibility guidelines use).
namespace FocusColours {
inline constexpr double Visible = 3.0;

double Luminance(const QColor& colour);
double Contrast(const QColor& a, const QColor& b);

// The colour of the same hue and saturation as `from`, its lightness moved as
// little as will reach `ratio` against every one of `against`; where no
// lightness does, the one that comes closest.
QColor Reaching(const QColor& from, std::initializer_list<QColor> against, double ratio);

// The frame around the list or tree that has the keyboard: seen against the
// window around it, the list's own background and, where any colour can be,
// its selection.
QColor FocusFrame(const QPalette& palette);
// The selection of a list or tree without the keyboard: greyed, so that it is
// told apart from the focused one, and still seen against the background.
QColor UnfocusedSelection(const QPalette& palette);
// Black or white, whichever reads better on the background.
QColor TextOn(const QColor& background);
}  // namespace FocusColours
