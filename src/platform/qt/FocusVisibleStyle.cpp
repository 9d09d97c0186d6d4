#include "FocusVisibleStyle.h"

#include "platform/qt/FocusColours.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace {
// Thick enough to be seen at a glance, as far as the frame has room.
constexpr int RingWidth = 2;

void paintRing(QPainter* painter, const QRect& rect, int width, const QColor& colour) {
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter->fillRect(QRect(rect.left(), rect.bottom() + 1 - width, rect.width(), width), colour);
    painter->fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    painter->fillRect(QRect(rect.right() + 1 - width, rect.top(), width, rect.height()), colour);
}

// The item views of the window, not the list a combo box pops up.
const QAbstractItemView* windowView(const QWidget* widget) {
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    return view && view->window()->windowType() != Qt::Popup ? view : nullptr;
}
}  // namespace

bool FocusVisibleStyle::HoldsFocus(const QWidget* widget) {
    const QWidget* focus = QApplication::focusWidget();
    return widget && focus && (focus == widget || widget->isAncestorOf(focus));
}

// A view's frame keeps room for the ring: the style's line outermost, the
// view's own background inside it.
int FocusVisibleStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                   const QWidget* widget) const {
    const int value = WholePixelFrameStyle::pixelMetric(metric, option, widget);
    if (metric == PM_DefaultFrameWidth && windowView(widget))
        return std::max(value, RingWidth);
    return value;
}

void FocusVisibleStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                      QPainter* painter, const QWidget* widget) const {
    const QAbstractItemView* view = windowView(widget);
    if (element != PE_Frame || !view) {
        WholePixelFrameStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
    WholePixelFrameStyle::drawPrimitive(element, option, painter, widget);
    if (HoldsFocus(widget)) {
        const int width = std::clamp(view->frameWidth(), 1, RingWidth);
        paintRing(painter, option->rect, width, FocusColours::FocusFrame(option->palette));
    }
}

void FocusVisibleStyle::drawControl(ControlElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
    if (element != CE_ItemViewItem || !item || !(item->state & State_Selected) ||
        !windowView(widget) || HoldsFocus(widget)) {
        WholePixelFrameStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionViewItem greyed = *item;
    const QColor selection = FocusColours::UnfocusedSelection(item->palette);
    const QColor text = FocusColours::TextOn(selection);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        greyed.palette.setColor(group, QPalette::Highlight, selection);
        greyed.palette.setColor(group, QPalette::HighlightedText, text);
    }
    WholePixelFrameStyle::drawControl(element, &greyed, painter, widget);
}

// A combo box draws its own mark of the focus, too faint on some palettes:
// the ring goes over its edge.
void FocusVisibleStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
    WholePixelFrameStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && HoldsFocus(widget))
        paintRing(painter, option->rect, RingWidth, FocusColours::FocusFrame(option->palette));
}

void FocusVisibleStyle::polish(QWidget* widget) {
    WholePixelFrameStyle::polish(widget);
    if (windowView(widget))
        widget->installEventFilter(this);
}

void FocusVisibleStyle::unpolish(QWidget* widget) {
    if (windowView(widget))
        widget->removeEventFilter(this);
    WholePixelFrameStyle::unpolish(widget);
}

// The view repaints only its current row when the focus comes or goes; the
// selection may be on another, and the frame is around all of it.
bool FocusVisibleStyle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (auto* view = qobject_cast<QAbstractItemView*>(watched)) {
            view->update();
            view->viewport()->update();
        }
    }
    return WholePixelFrameStyle::eventFilter(watched, event);
}
