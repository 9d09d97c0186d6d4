#pragma once

#include "platform/qt/WholePixelFrameStyle.h"

// The style of the lists, the tree and the drive list: the one that has the keyboard wears a
// frame that can be seen, and the others show their selection greyed, so a
// glance tells where a key will go. The colours come from the palette at
// each painting, so a theme switched at run time is followed at once.
class FocusVisibleStyle : public WholePixelFrameStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using WholePixelFrameStyle::polish;
    using WholePixelFrameStyle::unpolish;

    // Whether the keyboard is in the widget or in one of its children (the
    // label editor of the tree).
    static bool HoldsFocus(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
