#pragma once

#include <QString>
#include <vector>

// A menu described as data: the logic keeps captions, visibility, enabling
// and check marks, and the platform shows it as a modal popup at the pointer.
struct MenuEntry {
    QString name;     // the entry's name in the code, e.g. "tiOpen"
    int index = -1;   // position inside an indexed set (qlQuickAccess), else -1
    QString caption;  // "-" makes a separator
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool checkable = false;  // shows a check box even while unchecked
    std::vector<MenuEntry> children;  // non-empty makes a submenu

    bool isSeparator() const { return caption == QStringLiteral("-"); }
};

struct MenuChoice {
    QString name;  // empty when the menu was dismissed
    int index = -1;
    bool chosen() const { return !name.isEmpty(); }
};

class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    // Shows the menu at the pointer (the right button may choose too) and
    // returns the chosen entry, or an empty choice when dismissed.
    virtual MenuChoice popup(const MenuEntry& menu) = 0;
};
