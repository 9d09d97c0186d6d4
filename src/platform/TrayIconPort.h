#pragma once

#include "PopupMenu.h"

#include <QString>

// What the tray control asks of the desktop: an icon with a tip, added,
// changed and removed. Mouse activity comes back as the notification codes
// below through TrayNotifications.
class TrayIconPort {
public:
    virtual ~TrayIconPort() = default;
    virtual void add(const QString& iconName, const QString& tip) = 0;
    virtual void modifyIcon(const QString& iconName) = 0;
    virtual void modifyTip(const QString& tip) = 0;
    virtual void remove() = 0;
    // The menu given to a host that shows it may show otherwise now (a
    // picture came): such a host is told to read it again.
    virtual void menuChanged() = 0;
};

// Mouse messages of the tray notification.
enum TrayMouseMessage : int {
    TrayMouseMove = 0x200,
    TrayLeftDown = 0x201,
    TrayLeftUp = 0x202,
    TrayLeftDblClick = 0x203,
    TrayRightDown = 0x204,
    TrayRightUp = 0x205,
    TrayRightDblClick = 0x206,
    TrayMiddleUp = 0x208,
};

// Where the icon stands: in a tray; in none, though one may come shortly
// (a panel that starts or restarts); in none, and none is to be expected.
enum class TrayHost { Present, Awaited, Absent };

class TrayNotifications {
public:
    virtual ~TrayNotifications() = default;
    virtual void trayNotify(int iconId, int mouseMessage) = 0;
    // Told at each change, from the first add on.
    virtual void trayHostChanged(TrayHost host) = 0;
    // For a tray host that shows a menu it was given: the tray menu as it
    // shows now; its preparation, as a right click prepares it, just before
    // it opens; and the entry chosen from it.
    virtual MenuEntry trayMenuForHost() = 0;
    virtual void trayMenuAboutToShow() = 0;
    virtual void trayMenuChosen(const MenuChoice& choice) = 0;
};
