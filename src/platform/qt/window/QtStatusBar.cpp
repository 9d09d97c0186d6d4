#include "QtStatusBar.h"

#include <QLabel>

void QtStatusBar::bind(QLabel* label) {
    label_ = label;
    if (label_)
        label_->setText(text_);
}

void QtStatusBar::setText(const QString& text) {
    text_ = text;
    if (label_)
        label_->setText(text);
}
