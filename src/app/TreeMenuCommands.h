#pragma once

#include "platform/Platform.h"
#include "tree/TreeMenu.h"
#include "tree/TreeMenuHost.h"

class BookmarkExport;
class BookmarkImport;
class BrokenPaths;
class BrowserPanel;
class FrmVarnel;
class MenuOptions;
class SettingsStore;
class StartAtLogin;
class Tray;
class TreeCut;
class TreeEditing;
class ReadOnlyTree;
class TreeHistory;
class TreeUndo;

// The tree's menu tvMenu: prepared for what the press was on, shown, and
// its commands run by the parts of the program that own them.
class TreeMenuCommands : public TreeMenuHost {
public:
    struct Parts {
        FrmVarnel& window;
        TreeEditing& editing;
        Tray& tray;
        BrowserPanel& browser;
        MenuOptions& options;
        SettingsStore& settings;
        BrokenPaths& brokenPaths;
        TreeHistory& history;
        TreeUndo& undo;
        const ReadOnlyTree& readOnly;  // filtered
        TreeCut& cut;
        const StartAtLogin& startAtLogin;
        BookmarkImport& bookmarkImport;
        BookmarkExport& bookmarkExport;
    };
    TreeMenuCommands(const Platform& platform, const Parts& parts);

    void ShowTreeMenu(TreeNode* node, bool atNode) override;
    void tvFullPath_Click();
    void tvStartAtLogin_Click();

private:
    // node: what the menu was opened on, none for empty space.
    void run(TreeMenuId id, TreeNode* node);

    Platform platform_;
    Parts parts_;
    TreeMenu menu_;
};
