#include "PopupMenuBuilder.h"

#include <QMenu>

namespace {
void describe(QAction* action, const MenuEntry& entry) {
    action->setObjectName(entry.name);
    action->setData(entry.index);
    action->setVisible(entry.visible);
    action->setEnabled(entry.enabled);
}

void addEntries(QMenu& menu, const MenuEntry& parent) {
    for (const MenuEntry& entry : parent.children) {
        QAction* action = nullptr;
        if (entry.isSeparator()) {
            action = menu.addSeparator();
        } else if (!entry.children.empty()) {
            auto* submenu = new QMenu(entry.caption, &menu);  // owned by its parent menu
            addEntries(*submenu, entry);
            action = menu.addMenu(submenu);
        } else {
            action = menu.addAction(entry.caption);
            action->setCheckable(entry.checkable || entry.checked);
            action->setChecked(entry.checked);
        }
        describe(action, entry);
    }
}
}  // namespace

std::unique_ptr<QMenu> buildPopupMenu(const MenuEntry& menu, QWidget* parent) {
    auto built = std::make_unique<QMenu>(menu.caption, parent);
    built->setObjectName(menu.name);
    addEntries(*built, menu);
    return built;
}

MenuChoice menuChoiceOf(const QAction* action) {
    if (!action)
        return {};
    return {action->objectName(), action->data().toInt()};
}
