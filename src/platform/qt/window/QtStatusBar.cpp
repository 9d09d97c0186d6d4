#include "QtStatusBar.h"

#include "platform/qt/window/HintLabel.h"

void QtStatusBar::bind(HintLabel* label) {
    label_ = label;
    if (label_)
        label_->showHint(text_);
}

void QtStatusBar::setText(const QString& text) {
    text_ = text;
    if (label_)
        label_->showHint(text);
}
