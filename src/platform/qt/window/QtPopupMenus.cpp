#include "QtPopupMenus.h"

#include "platform/qt/QtImageList.h"
#include "platform/qt/browser/QtBrowserLists.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/PopupMenuBuilder.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QCursor>
#include <QMenu>

namespace {
MenuChoice popupAt(const MenuEntry& menu, const QtMainWindow* owner, const QtImageList* images,
                   const QPoint& where) {
    MenuPictures pictures;
    if (images)
        pictures = [images](const QString& image) { return images->iconFor(image); };
    const std::unique_ptr<QMenu> shown =
        buildPopupMenu(menu, owner ? owner->shownWidget() : nullptr, pictures);
    // QMenu lets the right button choose an entry as well as the left.
    return menuChoiceOf(shown->exec(where));
}
}  // namespace

MenuChoice QtPopupMenus::popup(const MenuEntry& menu) {
    return popupAt(menu, owner_, images_, QCursor::pos());
}

MenuChoice QtPopupMenus::popupAtNode(const MenuEntry& menu, TreeNode* node) {
    const std::optional<QPoint> at = tree_ ? tree_->globalPosOf(node) : std::nullopt;
    return popupAt(menu, owner_, images_, at.value_or(QCursor::pos()));
}

MenuChoice QtPopupMenus::popupAtListEntry(const MenuEntry& menu, DragSource list) {
    std::optional<QPoint> at;
    if (list == DragSource::DirList && dirList_)
        at = dirList_->globalPosOfCurrent();
    else if (list == DragSource::FileList && fileList_)
        at = fileList_->globalPosOfCurrent();
    return popupAt(menu, owner_, images_, at.value_or(QCursor::pos()));
}
