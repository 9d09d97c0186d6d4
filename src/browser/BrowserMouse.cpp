#include "BrowserMouse.h"

#include "BrowserMenus.h"
#include "BrowserPanel.h"
#include "BrowserTexts.h"
#include "BrowserToTree.h"
#include "platform/MainWindowPort.h"
#include "platform/PathLabelPort.h"
#include "platform/TreeViewPort.h"
#include "tree/HoverHelp.h"

namespace {
const QString DragPicture = QStringLiteral("drag");
const QString NoDropPicture = QStringLiteral("nodrop");

// The hint, then the drag: armed by a left press, it begins with the first
// move that holds the left button, however small; a move with no button
// after a drag that ended elsewhere than on the tree ends it here.
void moved(StatusBarPort& bar, const QString& hint, BrowserListPort& list, int& dragState,
           int buttons) {
    HoverHelp::Show(bar, hint);
    if (buttons == ButtonLeft && dragState == 1) {
        dragState = 2;
        list.setDragPicture(DragPicture);
        list.BeginDrag();  // returns when the drag is over
    } else if (buttons == 0 && dragState == 2) {
        dragState = 0;
    }
}

// The list's own drag, entering it again or leaving it; any other drag over
// it is none of its business.
void draggedOver(BrowserListPort& list, DragSource own, DragSource source, int state) {
    if (source != own)
        return;
    if (state == 0)
        list.setDragPicture(DragPicture);
    else if (state == 1)
        list.setDragPicture(NoDropPicture);
}

// The keys that ask for a menu, as in the tree.
bool menuKey(int key, int shift) {
    return key == KeyContextMenu || (key == KeyF10 && shift == ShiftShift);
}

MenuChoice popupMenu(PopupMenus& menus, const MenuEntry& menu, bool atEntry, DragSource list) {
    return atEntry ? menus.popupAtListEntry(menu, list) : menus.popup(menu);
}
}  // namespace

BrowserMouse::BrowserMouse(const Platform& platform, BrowserPanel& panel, BrowserToTree& toTree)
    : platform_(platform), panel_(panel), toTree_(toTree) {}

void BrowserMouse::EndDrag(DragSource source) {
    if (source == DragSource::DirList)
        dirDragState_ = 0;
    else if (source == DragSource::FileList)
        fileDragState_ = 0;
}

void BrowserMouse::DirList_Click(int index) {
    panel_.HighlightDirectory(index);
}

void BrowserMouse::DirList_DblClick() {
    panel_.OpenHighlightedDirectory();
}

void BrowserMouse::DirList_MouseDown(int button, int, float, float) {
    if (button == ButtonLeft) {
        dirDragState_ = 1;
    } else if (button == ButtonRight) {
        panel_.ShowHighlightedDirectory();
        showDirMenu(false);
    }
}

void BrowserMouse::DirList_MouseMove(int buttons, int, float, float) {
    moved(platform_.statusBar, BrowserTexts::dirListHint(), platform_.dirList, dirDragState_,
          buttons);
}

void BrowserMouse::DirList_MouseUp(int button, int, float, float) {
    if (button == ButtonLeft)
        dirDragState_ = 0;
}

void BrowserMouse::DirList_DragOver(DragSource source, int state) {
    draggedOver(platform_.dirList, DragSource::DirList, source, state);
}

void BrowserMouse::FileList_Click(int index) {
    panel_.HighlightFile(index);
}

void BrowserMouse::FileList_DblClick() {
    panel_.FileList_DblClick();
}

// Any press first shows the highlighted file's path.
void BrowserMouse::FileList_MouseDown(int button, int, float, float) {
    showFilePath();
    if (button == ButtonLeft)
        fileDragState_ = 1;
    else if (button == ButtonRight)
        showFileMenu(false);
}

// With none highlighted, the file list's entry -1 has no text and the label
// is cleared.
void BrowserMouse::showFilePath() {
    if (panel_.FileSel() >= 0)
        panel_.ShowHighlightedFilePath();
    else
        platform_.pathLabel.setCaption(QString());
}

void BrowserMouse::FileList_MouseMove(int buttons, int, float, float) {
    moved(platform_.statusBar, BrowserTexts::fileListHint(), platform_.fileList, fileDragState_,
          buttons);
}

void BrowserMouse::FileList_MouseUp(int button, int, float, float) {
    if (button == ButtonLeft)
        fileDragState_ = 0;
}

void BrowserMouse::FileList_DragOver(DragSource source, int state) {
    draggedOver(platform_.fileList, DragSource::FileList, source, state);
}

// A list reached with the keyboard explains itself as it does under the pointer.
void BrowserMouse::DirList_GotFocus() {
    HoverHelp::Show(platform_.statusBar, BrowserTexts::dirListHint());
}

void BrowserMouse::FileList_GotFocus() {
    HoverHelp::Show(platform_.statusBar, BrowserTexts::fileListHint());
}

// From the keyboard, each list's menu as a right press opens it.
void BrowserMouse::DirList_KeyDown(int key, int shift) {
    if (!menuKey(key, shift))
        return;
    panel_.ShowHighlightedDirectory();
    showDirMenu(true);
}

void BrowserMouse::FileList_KeyDown(int key, int shift) {
    if (!menuKey(key, shift))
        return;
    showFilePath();
    showFileMenu(true);
}

void BrowserMouse::dlAddToTree_Click() {
    toTree_.AddToTree(DragSource::DirList);
}

void BrowserMouse::flAddToTree_Click() {
    toTree_.AddToTree(DragSource::FileList);
}

void BrowserMouse::showDirMenu(bool atEntry) {
    const bool canAdd = toTree_.TakesEntries() && !panel_.HighlightedDirectory().isEmpty();
    const MenuChoice choice =
        popupMenu(platform_.menus, BrowserMenus::DirMenu(panel_.FileCount() > 0, canAdd), atEntry,
                  DragSource::DirList);
    switch (ChosenEntry<DirMenuId>(choice).value_or(DirMenuId::dlCancel)) {
    case DirMenuId::dlExplore:
        panel_.dlExplore_Click();
        break;
    case DirMenuId::dlViewFiles:
        panel_.dlViewFiles_Click();
        break;
    case DirMenuId::dlAddToTree:
        dlAddToTree_Click();
        break;
    default:  // Cancel only closes the menu
        break;
    }
}

void BrowserMouse::showFileMenu(bool atEntry) {
    const bool canAdd = toTree_.TakesEntries() && panel_.FileSel() >= 0;
    const MenuChoice choice =
        popupMenu(platform_.menus, BrowserMenus::FileMenu(canAdd), atEntry, DragSource::FileList);
    switch (ChosenEntry<FileMenuId>(choice).value_or(FileMenuId::flCancel)) {
    case FileMenuId::flOpen:
        panel_.flOpen_Click();
        break;
    case FileMenuId::flViewDir:
        panel_.flViewDir_Click();
        break;
    case FileMenuId::flAddToTree:
        flAddToTree_Click();
        break;
    default:  // Cancel only closes the menu
        break;
    }
}
