#pragma once

#include "platform/MainWindowPort.h"

class HintLabel;

// The status bar's text, kept while the window is not built.
class QtStatusBar : public StatusBarPort {
public:
    // The label that shows it; null lets go, before the label goes.
    void bind(HintLabel* label);
    QString text() const override { return text_; }
    void setText(const QString& text) override;

private:
    HintLabel* label_ = nullptr;
    QString text_;
};
