#pragma once

#include "platform/TreeViewPort.h"

#include <Qt>

// Qt's buttons and modifiers as the controls' handlers number them.
namespace MouseNumbers {

inline int button(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return ButtonLeft;
    case Qt::RightButton:
        return ButtonRight;
    case Qt::MiddleButton:
        return ButtonMiddle;
    default:
        return 0;
    }
}

// The buttons held, added up: 1 left, 2 right, 4 middle.
inline int held(Qt::MouseButtons buttons) {
    int sum = 0;
    for (const Qt::MouseButton one : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & one)
            sum += button(one);
    }
    return sum;
}

// The shift state: 1 Shift, 2 Ctrl, 4 Alt.
inline int shift(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace MouseNumbers
