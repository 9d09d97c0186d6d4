#include "TreeMenu.h"

#include "BookmarkTexts.h"
#include "HistoryTexts.h"
#include "MenuOptions.h"

namespace {
using Id = TreeMenuId;

struct NewPlacement {
    Id folder;
    Id item;
    Relationship relationship;
    const char* caption;  // followed by the place word for the relative placements
};
constexpr NewPlacement Placements[] = {
    {Id::tvNewFolderInside, Id::tvNewItemInside, tvwChild, "Inside"},
    {Id::tvNewFolderFirst, Id::tvNewItemFirst, tvwFirst, "At the begining"},
    {Id::tvNewFolderBefore, Id::tvNewItemBefore, tvwPrevious, "Before"},
    {Id::tvNewFolderAfter, Id::tvNewItemAfter, tvwNext, "After"},
    {Id::tvNewFolderLast, Id::tvNewItemLast, tvwLast, "At the Last Position"},
};

MenuEntry command(Id id, const char* caption, bool enabled = true) {
    MenuEntry entry = MenuCommand(id, QLatin1String(caption));
    entry.enabled = enabled;
    return entry;
}
}  // namespace

std::optional<TreeMenu::NewNodePlace> TreeMenu::NewNodePlaceOf(TreeMenuId id) {
    for (const NewPlacement& p : Placements) {
        if (id == p.folder || id == p.item)
            return NewNodePlace{p.relationship, id == p.item};
    }
    return std::nullopt;
}

void TreeMenu::Prepare(const Situation& situation) {
    situation_ = situation;
}

MenuEntry TreeMenu::Build(const MenuOptions& options) const {
    const Situation& s = situation_;
    const bool onNode = s.place != Place::Nothing;
    // Filtered, the entries that change the tree are greyed; opening,
    // the quick list and the options stay.
    const bool editable = !s.readOnly;
    const bool canPaste = onNode && editable && s.cutPending && !s.onCutNode;
    const QString placeWord = s.place == Place::Folder ? QStringLiteral(" The Selected Folder")
                              : s.place == Place::Item ? QStringLiteral(" The Selected Item")
                                                       : QString();
    std::vector<MenuEntry> folders, items;
    for (const NewPlacement& p : Placements) {
        QString caption = QLatin1String(p.caption);
        const bool relative = p.folder == Id::tvNewFolderBefore ||
                              p.folder == Id::tvNewFolderAfter || p.folder == Id::tvNewFolderInside;
        if (relative)
            caption += placeWord;
        // Nothing pressed: a new node can only start the top level. Inside
        // takes a folder.
        bool enabled = onNode || p.folder == Id::tvNewFolderFirst;
        if (p.folder == Id::tvNewFolderInside)
            enabled = s.place == Place::Folder;
        MenuEntry folder = MenuCommand(p.folder, caption), item = MenuCommand(p.item, caption);
        folder.enabled = item.enabled = enabled && editable;
        folders.push_back(folder);
        items.push_back(item);
    }
    // Ours, before the rest: greyed, and "Undo" alone, with nothing to take back.
    MenuEntry undo = MenuCommand(Id::tvUndo, HistoryTexts::undoEntry(s.undoWhat));
    undo.enabled = !s.undoWhat.isEmpty() && editable;
    MenuEntry importBookmarks = MenuCommand(Id::tvImportBookmarks, BookmarkTexts::importEntry());
    importBookmarks.enabled = editable;
    MenuEntry autoHide = command(Id::tvAutoHide, "Auto Hide Window");
    autoHide.checked = options.AutoHide();
    autoHide.checkable = true;
    MenuEntry fullPath = command(Id::tvFullPath, "Use Full Path on Copy");
    fullPath.checked = options.FullPath();
    fullPath.checkable = true;
    // Ours, beside the other check marks.
    MenuEntry startAtLogin = command(Id::tvStartAtLogin, "Start at Login");
    startAtLogin.checked = s.startsAtLogin;
    startAtLogin.checkable = true;
    return MenuSubmenu(
        Id::tvMenu, QStringLiteral("Tree View"),
        {undo, MenuSeparator(Id::tvUndoSep),
         MenuSubmenu(Id::tvNew, QStringLiteral("New"),
                     {MenuSubmenu(Id::tvNewFolder, QStringLiteral("Folder"), folders),
                      MenuSubmenu(Id::tvNewItem, QStringLiteral("Item"), items)}),
         command(Id::tvModify, "Modify Path", onNode && s.browserHasDirectory && editable),
         command(Id::tvRename, "Rename", onNode && editable), MenuSeparator(Id::tvCutSep),
         // Ours: moving a node without a drag, enabled as the drop menu's
         // moves are for a drag of the node cut onto the one pressed.
         command(Id::tvCut, "Cut", onNode && editable),
         command(Id::tvPasteInside, "Paste Inside", canPaste && s.place == Place::Folder),
         command(Id::tvPasteBefore, "Paste Before", canPaste),
         command(Id::tvPasteAfter, "Paste After", canPaste), MenuSeparator(Id::tvSep0),
         command(Id::tvAddQuickList, "Add to Quick List",
                 onNode && !s.inQuickList && !s.quickListFull),
         command(Id::tvRmvQuickList, "Remove from Quick List", onNode && s.inQuickList),
         MenuSeparator(Id::tvSep1), command(Id::tvDelete, "Delete", onNode && editable),
         // It opens the folders of the node it finds.
         command(Id::tvFindBroken, "Find Broken Paths", s.anyPathMissing && editable),
         // Ours: the file manager's bookmarks in, and the tree out as bookmarks.
         MenuSeparator(Id::tvBookmarkSep), importBookmarks,
         MenuCommand(Id::tvExport, BookmarkTexts::exportEntry()), MenuSeparator(Id::tvSep2),
         autoHide, fullPath, startAtLogin, MenuSeparator(Id::tvSep3),
         command(Id::tvAbout, "About Varnel"), command(Id::tvHide, "Hide"),
         command(Id::tvUnload, "Unload"), MenuSeparator(Id::tvSep4),
         command(Id::tvCancel, "Cancel")});
}
