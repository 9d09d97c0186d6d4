#include "PopupPlace.h"

#include <algorithm>

QPoint PlaceAtPointer(const QPoint& pointer, const QSize& size, const QRect& area) {
    const int x = std::max(area.left(), std::min(pointer.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(pointer.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

QPoint PlaceCentred(const QSize& size, const QRect& area) {
    return {area.left() + std::max(0, (area.width() - size.width()) / 2),
            area.top() + std::max(0, (area.height() - size.height()) / 2)};
}
