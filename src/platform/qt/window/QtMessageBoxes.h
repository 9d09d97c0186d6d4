#pragma once

#include "platform/MessageBoxes.h"

class QtMainWindow;

// Modal message boxes over QMessageBox, centred on the main window while it
// is shown.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(const QtMainWindow* owner = nullptr) : owner_(owner) {}
    MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons,
                   MsgIcon icon) override;

private:
    const QtMainWindow* owner_;
};
