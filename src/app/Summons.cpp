#include "Summons.h"

#include "find/QuickFind.h"
#include "platform/MainWindowPort.h"
#include "tray/Tray.h"
#include "tray/WindowCommands.h"

Summons::Summons(const Platform& platform, Tray& tray, WindowCommands& window, QuickFind& quickFind,
                 std::function<bool()> modalOpen)
    : platform_(platform),
      tray_(tray),
      window_(window),
      quickFind_(quickFind),
      modalOpen_(std::move(modalOpen)) {}

// As a left click on the tray icon shows it (the settings read first when
// they were not), then restored and in front: whoever asked wants to see it.
void Summons::ShowWindow(const QString& activationToken) {
    if (stopped_)
        return;
    platform_.window.useActivationToken(activationToken);
    const bool hidden = !platform_.window.isVisible();
    if (platform_.window.windowState() == StateMinimized)
        platform_.window.setWindowState(StateNormal);
    tray_.tiOpen_Click();  // brings a shown window to the front
    if (hidden)
        platform_.window.bringToFront();
}

// Away when the user is looking at it, forward otherwise: a window shown but
// behind others, or minimised, comes forward. A window with a box or a menu
// open stays: hidden, it would leave that box waiting for an answer nobody
// can give.
void Summons::ToggleWindow(const QString& activationToken) {
    if (stopped_)
        return;
    if (platform_.window.isVisible() && platform_.window.isActive() &&
        platform_.window.windowState() != StateMinimized && !modalOpen_())
        hideWindow();
    else
        ShowWindow(activationToken);
}

// Into the tray as its "Hide" does; without a tray, down to the task bar as
// the close box does, never out of reach.
void Summons::hideWindow() {
    if (tray_.Available())
        window_.tvHide_Click();
    else
        platform_.window.setWindowState(StateMinimized);
}

void Summons::PopupQuickList(const QString& activationToken) {
    popUp(QString(), activationToken);
}

void Summons::Find(const QString& text, const QString& activationToken) {
    popUp(text, activationToken);
}

// Where there is a tray, a second start is told that the program is there;
// where there is none, the window is the way in, and it comes forward.
bool Summons::SecondStart(const QString& activationToken) {
    if (stopped_ || tray_.Available())
        return false;
    ShowWindow(activationToken);
    return true;
}

void Summons::popUp(const QString& typed, const QString& activationToken) {
    if (!stopped_)
        quickFind_.Popup(typed, activationToken);
}
