#pragma once

#include "BackupCommands.h"
#include "QuickList.h"
#include "SysTray.h"
#include "TrayMenu.h"
#include "model/TreeHistory.h"
#include "platform/Platform.h"
#include "platform/TrayIconPort.h"
#include "tree/QuickListLink.h"

#include <QString>
#include <memory>
#include <unordered_set>
#include <vector>

class ItemIcons;
class NodeTree;
class SettingsSchedule;
class PathChecks;
class Timer;
class TreeNode;
class WindowCommands;

// The tray icon with its menu and the quick list: what a click on the icon
// does, the commands of the menu, and the deferred launch of a quick-list
// entry.
class Tray : public TrayNotifications, public QuickListLink, public QuickListState {
public:
    // The items' icons, so that the quick list shows each entry's picture
    // whether or not the window was ever shown.
    struct Pictures {
        ItemIcons& icons;
    };
    Tray(const Platform& platform, NodeTree& tree, TreeHistory& history, SettingsSchedule& settings,
         WindowCommands& window, PathChecks& checks, BackupCommands& backups, Pictures pictures);
    ~Tray() override;
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;

    // Puts the icon in the tray, or takes it out.
    void Show(const QString& iconName, const QString& tip);
    void Remove();
    // False while the desktop has no tray: the window is the way in then.
    bool Available() const { return available_; }
    // The window went into hiding: the menu offers "Open" again.
    void WindowHidden() { menu_.OfferHide(false); }
    bool OffersHide() const { return menu_.OffersHide(); }

    QuickList& Quick() { return quickList_; }
    const QuickList& Quick() const { return quickList_; }
    int FindQuickEntry(const TreeNode* node) const override;
    void SetQuickCaption(int index, const QString& caption) override;
    void SetQuickPath(int index, const QString& path) override;
    void RemoveQuickEntry(const TreeNode* node) override;
    // QuickListState
    const QuickEntries& QuickEntriesNow() const override { return quickList_.Entries(); }
    void RestoreQuickEntries(const QuickEntries& entries) override;
    void tvAddQuickList_Click();
    void tvRmvQuickList_Click();

    void SysTray_MouseUp(int button, int iconId);
    void PopMenuEvent_Timer();
    void tiOpen_Click();
    void tiHide_Click();
    void tiRestore_Click();
    void tiAbout_Click();
    void tiUnload_Click();
    void qlQuickAccess_Click(int index);
    // Opens the path once the menu or pop-up that chose it has closed, as a
    // quick-list entry opens: a failure is told with the quick list's
    // message, and the window is neither shown nor hidden.
    void LaunchLater(const QString& path);
    void ShellEvent_Timer();

    // TrayNotifications
    void trayNotify(int iconId, int mouseMessage) override;
    void trayHostChanged(TrayHost host) override;
    MenuEntry trayMenuForHost() override;
    void trayMenuAboutToShow() override;
    void trayMenuChosen(const MenuChoice& choice) override;

    // How long a tray that may come (a panel starting or restarting) is
    // waited for before the window shows in its place.
    static constexpr int TrayWaitMs = 3000;

private:
    void prepareMenu();
    MenuEntry buildMenu(const std::vector<TreeNode*>& quickNodes) const;
    void quickPictureChanged(const TreeNode* node);
    void withoutTray();

    Platform platform_;
    NodeTree& tree_;
    TreeHistory& history_;
    SettingsSchedule& settings_;
    WindowCommands& window_;
    PathChecks& checks_;
    BackupCommands& backups_;
    ItemIcons& icons_;
    SysTray sysTray_;
    TrayMenu menu_;
    QuickList quickList_;
    std::unique_ptr<Timer> popMenuEvent_;  // PopMenuEvent: the menu opens after the click
    std::unique_ptr<Timer> shellEvent_;    // ShellEvent: a launch after the menu closed
    std::unique_ptr<Timer> trayWait_;
    // The nodes of the quick list a host last read the menu with: a picture
    // answered for one of them changes the menu the host holds. Compared,
    // never followed: one may have gone since.
    std::unordered_set<const TreeNode*> hostQuickNodes_;
    std::unique_ptr<Timer> hostMenuChanged_;  // one word to the host per burst of answers
    QString pendingLaunchPath_;               // PendingLaunchPath
    bool available_ = true;
};
