#include "QtPopupMenus.h"

#include "PopupMenuBuilder.h"
#include "QtMainWindow.h"

#include <QCursor>
#include <QMenu>

MenuChoice QtPopupMenus::popup(const MenuEntry& menu) {
    const std::unique_ptr<QMenu> shown =
        buildPopupMenu(menu, owner_ ? owner_->shownWidget() : nullptr);
    // QMenu lets the right button choose an entry as well as the left.
    return menuChoiceOf(shown->exec(QCursor::pos()));
}
