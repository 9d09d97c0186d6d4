#pragma once

#include "model/Relationship.h"
#include "platform/PopupMenu.h"

#include <QString>
#include <optional>

class MenuOptions;

// The entries of the tree's menu tvMenu, in their order; entries added
// later come at the end.
enum class TreeMenuId {
    tvMenu,
    tvUndo,
    tvUndoSep,
    tvNew,
    tvNewFolder,
    tvNewFolderInside,
    tvNewFolderFirst,
    tvNewFolderBefore,
    tvNewFolderAfter,
    tvNewFolderLast,
    tvNewItem,
    tvNewItemInside,
    tvNewItemFirst,
    tvNewItemBefore,
    tvNewItemAfter,
    tvNewItemLast,
    tvModify,
    tvRename,
    tvCutSep,
    tvCut,
    tvPasteInside,
    tvPasteBefore,
    tvPasteAfter,
    tvSep0,
    tvAddQuickList,
    tvRmvQuickList,
    tvSep1,
    tvDelete,
    tvFindBroken,
    tvSep2,
    tvAutoHide,
    tvFullPath,
    tvSep3,
    tvAbout,
    tvHide,
    tvUnload,
    tvSep4,
    tvCancel,
    tvStartAtLogin,
    tvBookmarkSep,
    tvImportBookmarks,
    tvExport,
};

// The tree's context menu as it is prepared before every showing: what the
// press was on decides the "New" entries' captions and which entries apply.
class TreeMenu {
public:
    enum class Place { Nothing, Folder, Item };
    // What the menu needs to know of the press.
    struct Situation {
        Place place = Place::Nothing;
        bool inQuickList = false;    // the node has an entry in the quick list
        bool quickListFull = false;  // all 64 places are taken
        bool browserHasDirectory = false;
        bool anyPathMissing = false;
        QString undoWhat;         // the step Undo takes back; empty for none
        bool readOnly = false;    // the tree takes no change now (filtered)
        bool cutPending = false;  // a node is cut, waiting to be pasted
        bool onCutNode = false;   // the press was on that very node

        // The desktop starts Varnel at login.
        bool startsAtLogin = false;
    };

    // Where a "New" entry puts the new node, and whether it is an item.
    struct NewNodePlace {
        Relationship relationship;
        bool item;
    };
    static std::optional<NewNodePlace> NewNodePlaceOf(TreeMenuId id);

    void Prepare(const Situation& situation);
    MenuEntry Build(const MenuOptions& options) const;

private:
    Situation situation_;
};
