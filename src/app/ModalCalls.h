#pragma once

#include "platform/ChooserBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/PopupMenu.h"

// Every message box, chooser box and popup menu of the program runs modal, inside the
// handler that shows it, with timers still firing: the handler may hold
// nodes of the tree meanwhile. The platform given to the program's owners
// shows them through here, so that work which would change the tree under
// such a handler can know to wait until they have closed.
class ModalCalls : public MessageBoxes, public PopupMenus, public ChooserBoxPort {
public:
    explicit ModalCalls(const Platform& platform)
        : messages_(platform.messages), menus_(platform.menus), chooser_(platform.chooser) {}

    // The platform with its boxes and menus shown through here.
    Platform Counted(const Platform& platform);
    // Whether a box or a menu is open now.
    bool Open() const { return open_ > 0; }

    MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons,
                   MsgIcon icon) override;
    MenuChoice popup(const MenuEntry& menu) override;
    MenuChoice popupAtNode(const MenuEntry& menu, TreeNode* node) override;
    MenuChoice popupAtListEntry(const MenuEntry& menu, DragSource list) override;
    std::optional<int> choose(const ChooserRequest& request) override;
    std::optional<QString> chooseSaveFile(const SaveFileRequest& request) override;

private:
    MessageBoxes& messages_;
    PopupMenus& menus_;
    ChooserBoxPort& chooser_;
    int open_ = 0;
};
