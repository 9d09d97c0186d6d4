#include "TreeMenuCommands.h"

#include "FrmVarnel.h"
#include "SettingsStore.h"
#include "StartAtLogin.h"
#include "Texts.h"
#include "browser/BrowserPanel.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/MessageBoxes.h"
#include "tray/Tray.h"
#include "tree/BookmarkExport.h"
#include "tree/BookmarkImport.h"
#include "tree/BrokenPaths.h"
#include "tree/MenuOptions.h"
#include "tree/ReadOnlyTree.h"
#include "tree/TreeCut.h"
#include "tree/TreeEditing.h"
#include "tree/TreeUndo.h"

TreeMenuCommands::TreeMenuCommands(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

void TreeMenuCommands::ShowTreeMenu(TreeNode* node, bool atNode) {
    TreeMenu::Situation situation;
    if (node) {
        situation.place = node->IsFolder() ? TreeMenu::Place::Folder : TreeMenu::Place::Item;
        situation.inQuickList = parts_.tray.FindQuickEntry(node) != -1;
        situation.quickListFull = parts_.tray.Quick().IsFull();
    }
    situation.browserHasDirectory = !parts_.browser.DirPath().isEmpty();
    situation.anyPathMissing = parts_.brokenPaths.AnyMissing();
    situation.undoWhat = parts_.history.UndoCaption();
    situation.readOnly = parts_.readOnly.ReadOnly();
    situation.cutPending = parts_.cut.CutNode() != nullptr;
    situation.onCutNode = node && node == parts_.cut.CutNode();
    situation.startsAtLogin = parts_.startAtLogin.On();
    menu_.Prepare(situation);
    const MenuEntry menu = menu_.Build(parts_.options);
    const MenuChoice choice =
        atNode ? platform_.menus.popupAtNode(menu, node) : platform_.menus.popup(menu);
    if (const std::optional<TreeMenuId> id = ChosenEntry<TreeMenuId>(choice))
        run(*id, node);
}

void TreeMenuCommands::tvFullPath_Click() {
    parts_.options.SetFullPath(!parts_.options.FullPath());
    parts_.settings.ScheduleSave();
}

// The mark shown next comes from the entry as it then is, written or not.
void TreeMenuCommands::tvStartAtLogin_Click() {
    const StartAtLogin& login = parts_.startAtLogin;
    const QString problem = login.SetOn(!login.On());
    if (!problem.isEmpty())
        platform_.messages.show(problem, Texts::programTitle(), MsgButtons::Ok,
                                MsgIcon::Exclamation);
}

void TreeMenuCommands::run(TreeMenuId id, TreeNode* node) {
    using Id = TreeMenuId;
    TreeEditing& editing = parts_.editing;
    if (const std::optional<TreeMenu::NewNodePlace> place = TreeMenu::NewNodePlaceOf(id)) {
        editing.AddNewNode(place->relationship, place->item);
        return;
    }
    switch (id) {
    case Id::tvUndo:
        parts_.undo.tvUndo_Click();
        break;
    case Id::tvModify:
        editing.tvModify_Click();
        break;
    case Id::tvRename:
        editing.tvRename_Click();
        break;
    case Id::tvCut:
        parts_.cut.tvCut_Click(node);
        break;
    case Id::tvPasteInside:
        parts_.cut.tvPasteInside_Click(node);
        break;
    case Id::tvPasteBefore:
        parts_.cut.tvPasteBefore_Click(node);
        break;
    case Id::tvPasteAfter:
        parts_.cut.tvPasteAfter_Click(node);
        break;
    case Id::tvAddQuickList:
        parts_.tray.tvAddQuickList_Click();
        break;
    case Id::tvRmvQuickList:
        parts_.tray.tvRmvQuickList_Click();
        break;
    case Id::tvDelete:
        editing.tvDelete_Click();
        break;
    case Id::tvFindBroken:
        parts_.brokenPaths.tvFindBroken_Click();
        break;
    case Id::tvImportBookmarks:
        parts_.bookmarkImport.tvImportBookmarks_Click();
        break;
    case Id::tvExport:
        parts_.bookmarkExport.tvExport_Click(node);
        break;
    case Id::tvAutoHide:
        parts_.window.tvAutoHide_Click();
        break;
    case Id::tvFullPath:
        tvFullPath_Click();
        break;
    case Id::tvStartAtLogin:
        tvStartAtLogin_Click();
        break;
    case Id::tvAbout:
        parts_.window.tvAbout_Click();
        break;
    case Id::tvHide:
        parts_.window.tvHide_Click();
        break;
    case Id::tvUnload:
        parts_.window.tvUnload_Click();
        break;
    default:  // submenus, separators and Cancel
        break;
    }
}
