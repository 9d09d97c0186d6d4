#include "WholePixelFrameStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <cmath>

void WholePixelFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                         QPainter* painter, const QWidget* widget) const {
    const qreal ratio = painter->device()->devicePixelRatioF();
    if (element != PE_Frame || ratio == std::floor(ratio)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame's rectangle on the screen, its edges rounded to whole
    // pixels there; the lines are its outermost pixels.
    const QTransform toScreen = painter->deviceTransform();
    const QRectF area = toScreen.mapRect(QRectF(option->rect));
    const auto whole = [](qreal at) { return static_cast<int>(std::lround(at)); };
    const int left = whole(area.left()), top = whole(area.top());
    const int width = whole(area.right()) - left, height = whole(area.bottom()) - top;
    painter->save();
    // Drawn in the screen's pixels: undo what lies between them and the widget's.
    painter->setTransform((painter->transform().inverted() * toScreen).inverted());
    const QColor line = option->palette.color(QPalette::Mid);
    painter->fillRect(QRect(left, top, width, 1), line);
    painter->fillRect(QRect(left, top + height - 1, width, 1), line);
    painter->fillRect(QRect(left, top, 1, height), line);
    painter->fillRect(QRect(left + width - 1, top, 1, height), line);
    painter->restore();
}
