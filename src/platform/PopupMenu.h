#pragma once

#include "platform/DragSource.h"

#include <QString>
#include <optional>
#include <vector>

// A menu described as data: the logic keeps captions, visibility, enabling
// and check marks, and the platform shows it as a modal popup at the pointer.
// Each menu numbers its entries with an enum class of its own; building a
// menu and dispatching its choice both go through that enum, so an entry the
// menu does not have cannot be built or dispatched.
struct MenuEntry {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    int id = 0;       // the entry's enum value in its menu
    int index = -1;   // position inside an indexed set (qlQuickAccess), else -1
    QString caption;  // shown exactly as written: "&" is no mnemonic
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool checkable = false;  // shows a check box even while unchecked
    // A picture beside the caption: an image key of the tree's image list
    // (ImageListPort, model/ImageKeys.h); none when empty.
    QString image;
    std::vector<MenuEntry> children;  // the entries of a submenu
};

struct MenuChoice {
    int id = 0;
    int index = -1;
    bool chosen = false;  // false when the menu was dismissed
};

template <typename Id>
MenuEntry MenuCommand(Id id, const QString& caption, int index = -1) {
    MenuEntry entry;
    entry.id = static_cast<int>(id);
    entry.index = index;
    entry.caption = caption;
    return entry;
}

template <typename Id>
MenuEntry MenuSeparator(Id id) {
    MenuEntry entry = MenuCommand(id, QString());
    entry.kind = MenuEntry::Kind::Separator;
    return entry;
}

template <typename Id>
MenuEntry MenuSubmenu(Id id, const QString& caption, std::vector<MenuEntry> children) {
    MenuEntry entry = MenuCommand(id, caption);
    entry.kind = MenuEntry::Kind::Submenu;
    entry.children = std::move(children);
    return entry;
}

// The entry chosen from a menu built with Id, or none when it was dismissed.
template <typename Id>
std::optional<Id> ChosenEntry(const MenuChoice& choice) {
    return choice.chosen ? std::optional<Id>(static_cast<Id>(choice.id)) : std::nullopt;
}

class TreeNode;

class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    // Shows the menu at the pointer (the right button may choose too) and
    // returns the chosen entry, or an empty choice when dismissed.
    virtual MenuChoice popup(const MenuEntry& menu) = 0;
    // The same, at a node of the tree: for a menu asked for with a key.
    virtual MenuChoice popupAtNode(const MenuEntry& menu, TreeNode* node) = 0;
    // The same, at the current entry of a browser list (DirList or FileList).
    virtual MenuChoice popupAtListEntry(const MenuEntry& menu, DragSource list) = 0;
};
