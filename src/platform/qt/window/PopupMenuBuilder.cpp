#include "PopupMenuBuilder.h"

#include <QIcon>
#include <QMenu>

namespace {
const char* const IdProperty = "varnelMenuId";
const char* const IndexProperty = "varnelMenuIndex";

void describe(QAction* action, const MenuEntry& entry) {
    action->setProperty(IdProperty, entry.id);
    action->setProperty(IndexProperty, entry.index);
    action->setVisible(entry.visible);
    action->setEnabled(entry.enabled);
}

void addEntries(QMenu& menu, const MenuEntry& parent, const MenuPictures& pictures) {
    for (const MenuEntry& entry : parent.children) {
        QAction* action = nullptr;
        switch (entry.kind) {
        case MenuEntry::Kind::Separator:
            action = menu.addSeparator();
            break;
        case MenuEntry::Kind::Submenu: {
            auto* submenu =
                new QMenu(literalMenuText(entry.caption), &menu);  // owned by its parent
            addEntries(*submenu, entry, pictures);
            action = menu.addMenu(submenu);
            break;
        }
        case MenuEntry::Kind::Command:
            action = menu.addAction(literalMenuText(entry.caption));
            action->setCheckable(entry.checkable || entry.checked);
            action->setChecked(entry.checked);
            if (pictures && !entry.image.isEmpty())
                action->setIcon(pictures(entry.image));
            break;
        }
        describe(action, entry);
    }
}
}  // namespace

QString literalMenuText(const QString& caption) {
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

std::unique_ptr<QMenu> buildPopupMenu(const MenuEntry& menu, QWidget* parent,
                                      const MenuPictures& pictures) {
    auto built = std::make_unique<QMenu>(literalMenuText(menu.caption), parent);
    addEntries(*built, menu, pictures);
    return built;
}

MenuChoice menuChoiceOf(const QAction* action) {
    if (!action || !action->property(IdProperty).isValid())
        return {};
    return {action->property(IdProperty).toInt(), action->property(IndexProperty).toInt(), true};
}
