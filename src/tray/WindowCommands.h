#pragma once

// What the tray asks of the main window: its entries "Open", "Hide",
// "About" and "Unload" run the window's own commands.
class WindowCommands {
public:
    virtual ~WindowCommands() = default;
    // Shows the hidden window, reading the settings first when they were
    // not read yet.
    virtual void ShowWindow() = 0;
    virtual void tvHide_Click() = 0;
    virtual void tvAbout_Click() = 0;
    virtual void tvUnload_Click() = 0;
};
