#pragma once

#include "platform/MainWindowPort.h"

class QtMainWindow;

// The About box: our picture filling the window, a few lines over it and
// "Continue". Made anew for each showing, modal over the main window.
class QtAboutBox : public AboutBoxPort {
public:
    explicit QtAboutBox(const QtMainWindow& owner) : owner_(owner) {}
    TwipsSize size() const override;
    void showModal(const TwipsRect& rect) override;

private:
    const QtMainWindow& owner_;
};
