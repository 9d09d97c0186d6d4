#pragma once

#include "AppPaths.h"
#include "BackupRestore.h"
#include "BookmarkOffer.h"
#include "InstanceLock.h"
#include "ModalCalls.h"
#include "RecoveryFile.h"
#include "RecoveryNotice.h"
#include "SecondStart.h"
#include "SettingsStore.h"
#include "StartAtLogin.h"
#include "Summons.h"
#include "TreeMenuCommands.h"
#include "WindowDrags.h"
#include "WindowLayout.h"
#include "browser/BrowserMouse.h"
#include "browser/BrowserPanel.h"
#include "files/PathChecks.h"
#include "find/QuickFind.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "platform/MainWindowPort.h"
#include "platform/Platform.h"
#include "platform/PlatformEvents.h"
#include "tray/Tray.h"
#include "tray/WindowCommands.h"
#include "tree/BookmarkExport.h"
#include "tree/BookmarkImport.h"
#include "tree/BrokenPaths.h"
#include "tree/BrowserAddToTree.h"
#include "tree/ExternalDrop.h"
#include "tree/MenuOptions.h"
#include "tree/Opener.h"
#include "tree/TreeCut.h"
#include "tree/TreeDrop.h"
#include "tree/TreeDropCommands.h"
#include "tree/TreeEditing.h"
#include "tree/TreeFilter.h"
#include "tree/TreeMouse.h"
#include "tree/TreeUndo.h"

#include <memory>

class Timer;

// The main window: it owns the tree and the collaborators that keep the
// state of each part of the program, and handles its own life: start-up,
// close requests, hiding, unloading.
class FrmVarnel : public MainWindowEvents, private WindowCommands, private BackupCommands {
public:
    FrmVarnel(const Platform& platform, const AppPaths& paths);
    ~FrmVarnel() override;
    FrmVarnel(const FrmVarnel&) = delete;
    FrmVarnel& operator=(const FrmVarnel&) = delete;

    // Where the platform delivers what the user does.
    PlatformEvents Events();

    NodeTree& tree() { return tree_; }
    TreeHistory& history() { return history_; }
    TreeUndo& undo() { return undo_; }
    SettingsStore& settings() { return settings_; }
    Tray& tray() { return tray_; }
    BackupRestore& restore() { return restore_; }
    TreeMouse& treeMouse() { return treeMouse_; }
    TreeDrop& treeDrop() { return treeDrop_; }
    ExternalDrop& externalDrop() { return externalDrop_; }
    TreeEditing& editing() { return editing_; }
    Opener& opener() { return opener_; }
    BrowserPanel& browser() { return browser_; }
    BrowserMouse& browserMouse() { return browserMouse_; }
    WindowLayout& layout() { return layout_; }
    MenuOptions& options() { return options_; }
    BrokenPaths& brokenPaths() { return brokenPaths_; }
    Summons& summons() { return summons_; }
    TreeFilter& filter() { return filter_; }
    QuickFind& quickFind() { return quickFind_; }
    TreeCut& cut() { return cut_; }
    BookmarkImport& bookmarkImport() { return bookmarkImport_; }
    BookmarkExport& bookmarkExport() { return bookmarkExport_; }
    BookmarkOffer& bookmarkOffer() { return bookmarkOffer_; }

    // Tells the program to end at once when another copy runs (which is
    // handed the summon) or the lock that tells so cannot be made;
    // otherwise starts, then does what the summon asks.
    LoadResult Form_Load(const Summon& summon = {});
    bool Form_QueryUnload(int unloadMode) override;
    void Form_Resize() override { layout_.Form_Resize(); }
    void SessionEnding() override;
    void Form_MouseMove() override;
    void Form_Unload();
    void UnloadEvent_Timer();

    void ShowWindow() override;
    void tvHide_Click() override;
    void tvAutoHide_Click();
    void tvAbout_Click() override;
    void tvUnload_Click() override;

private:
    // The tray's "Restore…": a tree read back replaces the one a filter
    // was showing part of, so the filter ends first.
    bool HasBackups() const override { return restore_.HasBackups(); }
    void tiRestore_Click() override;

    void unloadMainWindow(int unloadMode);
    void carryOut(const Summon& summon);
    bool busyWithTheTree() const;

    ModalCalls modal_;
    Platform platform_;  // its boxes and menus through modal_
    AppPaths paths_;
    NodeTree tree_;
    MenuOptions options_;
    PathChecks checks_;
    ItemIcons icons_;
    BrokenPaths brokenPaths_;
    BrowserPanel browser_;
    BrowserMouse browserMouse_;
    RecoveryFile recovery_;
    SettingsStore settings_;
    Tray tray_;
    TreeHistory history_;  // hears the tree from here on: the settings are read later
    BackupRestore restore_;
    WindowLayout layout_;
    Opener opener_;
    TreeEditing editing_;
    TreeFilter filter_;
    TreeUndo undo_;
    StartAtLogin startAtLogin_;
    TreeMenuCommands treeMenu_;
    TreeMouse treeMouse_;
    WindowDrags drags_;
    TreeDropCommands dropCommands_;
    TreeDrop treeDrop_;
    ExternalDrop externalDrop_;
    TreeCut cut_;
    BrowserAddToTree addToTree_;
    QuickFind quickFind_;
    InstanceLock instanceLock_;
    RecoveryNotice recoveryNotice_;
    Summons summons_;
    BookmarkImport bookmarkImport_;
    BookmarkExport bookmarkExport_;
    BookmarkOffer bookmarkOffer_;         // hears the history: goes before it
    std::unique_ptr<Timer> unloadEvent_;  // UnloadEvent: lets the menu that chose "Unload" close
    bool unloading_ = false;
};
