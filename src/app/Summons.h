#pragma once

#include "platform/Platform.h"
#include "platform/SummonEvents.h"

#include <QString>
#include <functional>

class QuickFind;
class Tray;
class WindowCommands;

// Requests from outside the window: another start, a desktop action, a
// shortcut. They bring the window forward (out of the tray or up from
// minimised), put it away again, or pop up the quick list; none of them can
// open anything by itself: what is opened the user then chooses.
class Summons : public SummonEvents {
public:
    // modalOpen tells whether a box or a menu of the program is open.
    Summons(const Platform& platform, Tray& tray, WindowCommands& window, QuickFind& quickFind,
            std::function<bool()> modalOpen);

    void ShowWindow(const QString& activationToken) override;
    void ToggleWindow(const QString& activationToken) override;
    void PopupQuickList(const QString& activationToken) override;
    void Find(const QString& text, const QString& activationToken) override;
    bool SecondStart(const QString& activationToken) override;

    // The pop-up with the quick list, text typed into its search field.
    void popUp(const QString& typed, const QString& activationToken);
    // The program is ending: requests that still come change nothing.
    void Stop() { stopped_ = true; }

private:
    void hideWindow();

    Platform platform_;
    Tray& tray_;
    WindowCommands& window_;
    QuickFind& quickFind_;
    std::function<bool()> modalOpen_;
    bool stopped_ = false;
};
