#pragma once

#include "AppPaths.h"
#include "ControlLayout.h"
#include "browser/BrowserPanel.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "platform/MainWindowEvents.h"
#include "platform/Platform.h"
#include "platform/PopupMenu.h"
#include "tray/QuickList.h"
#include "tray/SysTray.h"
#include "tray/TrayMenu.h"

#include <QLockFile>
#include <cstdint>
#include <memory>

class Timer;

// The main window's logic: its state fields and the handlers of its events.
// Handlers are defined with their subsystems (app/, tree/, tray/); the state
// is plain fields, as the handlers of several subsystems share it.
class FrmVarnel : public MainWindowEvents {
public:
    FrmVarnel(const Platform& platform, const AppPaths& paths);
    ~FrmVarnel() override;
    FrmVarnel(const FrmVarnel&) = delete;
    FrmVarnel& operator=(const FrmVarnel&) = delete;

    NodeTree& Tree() { return tree; }

    // --- start-up and shut-down (app/Lifecycle.cpp)
    // Returns false when another instance runs: the program must end at once.
    bool Form_Load();
    bool Form_QueryUnload(int unloadMode) override;
    void Form_Unload();
    void SessionEnding() override;
    void tvUnload_Click();
    void tiUnload_Click();
    void UnloadEvent_Timer();

    // --- layout (app/WindowLayout.cpp)
    void Form_Resize() override;
    int LayoutIndexOf(Control control) const;

    // --- settings (app/SettingsStore.cpp)
    void ScheduleSave();
    void SaveSettings();
    void LoadSettings();
    void SaveSetTimer_Timer();

    // --- opening (tree/Opening.cpp)
    void OpenPath(const QString& path, const QString& failureMessage);
    void TreeView_DblClick() override;
    void PathDisp_DblClick() override;
    void ShellEvent_Timer();

    // --- the tree's mouse (tree/TreeMouse.cpp)
    void TreeView_MouseDown(int button, int shift, float x, float y) override;
    void TreeView_NodeClick(TreeNode* node) override;
    void TreeView_Collapse(TreeNode* node) override;
    void TreeView_Expand(TreeNode* node) override;

    // --- tray icon, tray menu and quick list (tray/TrayHandlers.cpp)
    void trayNotify(int iconId, int mouseMessage) override;
    void trayUnavailable() override;
    MenuEntry trayMenuForHost() override;
    void trayMenuChosen(const MenuChoice& choice) override;
    void SysTray_MouseUp(int button, int iconId);
    void PopMenuEvent_Timer();
    void tiOpen_Click();
    void tiHide_Click();
    void tiAbout_Click();
    void qlQuickAccess_Click(int index);
    void tvAddQuickList_Click();
    void tvRmvQuickList_Click();
    int FindQuickEntry(const TreeNode* node) const;

    // --- hiding (app/WindowHiding.cpp)
    void tvHide_Click();
    void tvAutoHide_Click();
    void tvAbout_Click();

    // --- state of the main window ---
    Platform platform;
    AppPaths paths;
    NodeTree tree;
    BrowserPanel browser;
    ItemIcons itemIcons;
    SysTray sysTray;
    QuickList quickList;
    TrayMenu trayMenu;

    bool SettingsPending = true;
    bool SettingsDirty = false;
    std::int32_t SavedTop = 0, SavedLeft = 0, SavedHeight = 0, SavedWidth = 0;
    bool TreeBusy = false;
    ControlLayout controlLayout;
    bool LayoutReady = false;
    std::int32_t StartWidth = 0, StartHeight = 0;
    bool LabelEditPending = false;
    float TreeMouseX = 0, TreeMouseY = 0;
    int TreeDragState = 0, DirDragState = 0, FileDragState = 0;
    TreeNode* DragNode = nullptr;
    QString PendingLaunchPath;
    bool AutoHideChecked = true;  // tvAutoHide's check mark
    bool FullPathChecked = true;  // tvFullPath's check mark

    // Without a tray the window is the only way in: the close box minimises.
    bool NoTray = false;
    // An existing settings file that could not be read in this run; it is
    // moved aside rather than overwritten by the first save.
    bool SettingsReadRefused = false;
    bool Unloading = false;

    std::unique_ptr<Timer> SaveSetTimer, UnloadEvent, PopMenuEvent, ShellEvent;

private:
    void unloadMainWindow(int unloadMode);
    void showFirstTime();
    void prepareTrayMenu();
    class SettingsApplier;
    std::unique_ptr<QLockFile> instanceLock;
};
