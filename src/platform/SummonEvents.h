#pragma once

#include <QString>

// What another start, a desktop action or a shortcut asks of the running
// copy. Each request carries the asker's activation token (empty when it
// had none): the desktop lets a window take the focus with it.
class SummonEvents {
public:
    virtual ~SummonEvents() = default;
    virtual void ShowWindow(const QString& activationToken) = 0;
    virtual void ToggleWindow(const QString& activationToken) = 0;
    virtual void PopupQuickList(const QString& activationToken) = 0;
    virtual void Find(const QString& text, const QString& activationToken) = 0;
    // A start without a switch; true when the window was shown as the way
    // in, false when the asker is to say that the program runs in the tray.
    virtual bool SecondStart(const QString& activationToken) = 0;
};
