#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the quick-find pop-up of a size goes on a screen's free area: its
// top-left corner at the pointer, moved back as far as needed to stay whole
// on that area (to its top-left when it is larger than the area).
QPoint PlaceAtPointer(const QPoint& pointer, const QSize& size, const QRect& area);
// In the middle of the area: where the window system does not let a
// program know the pointer or place its windows.
QPoint PlaceCentred(const QSize& size, const QRect& area);
