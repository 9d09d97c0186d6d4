#pragma once

#include "platform/PopupMenu.h"

#include <QString>
#include <vector>

class QuickList;

// The entries of the tray icon's menu tiMenu.
enum class TrayMenuId {
    tiMenu,
    tiOpen,
    tiHide,
    tiQuickList,
    qlQuickAccess,
    tiSep1,
    tiAbout,
    tiUnload,
    tiCancel,
    tiRestore  // last: the numbers of the others stay as they were
};

// The tray menu: "Open" or "Hide", the "Quick List" submenu, "Restore…",
// "About", "Unload" and "Cancel". Exactly one of "Open" and "Hide" shows:
// "Hide" while the window is up.
class TrayMenu {
public:
    void OfferHide(bool hide) { offerHide_ = hide; }
    bool OffersHide() const { return offerHide_; }
    // Whether there are backups to restore: "Restore…" is greyed without.
    void OfferRestore(bool restore) { offerRestore_ = restore; }

    // The menu as it shows now, with the quick list's places under "Quick
    // List", which is enabled only while the list holds an entry. Entry i
    // shows pictures[i] beside its caption (QuickListPicture); the menu's
    // own entries show none.
    MenuEntry Build(const QuickList& quickList, const std::vector<QString>& pictures = {}) const;

private:
    bool offerHide_ = false;
    // Until the menu is first prepared, whether there are backups is not
    // known; a choice then finds out.
    bool offerRestore_ = true;
};
