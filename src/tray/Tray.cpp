#include "Tray.h"

#include "QuickListPictures.h"
#include "WindowCommands.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsSchedule.h"
#include "tree/HistoryTexts.h"
#include "tree/OpenTexts.h"
#include "tree/ShellOpen.h"

namespace {
constexpr int PopMenuDelay = 250;  // the menu opens once the notification returned
constexpr int ShellDelay = 250;    // a quick-list launch once its menu closed
}  // namespace

Tray::Tray(const Platform& platform, NodeTree& tree, TreeHistory& history,
           SettingsSchedule& settings, WindowCommands& window, PathChecks& checks,
           BackupCommands& backups, Pictures pictures)
    : platform_(platform),
      tree_(tree),
      history_(history),
      settings_(settings),
      window_(window),
      checks_(checks),
      backups_(backups),
      icons_(pictures.icons),
      sysTray_(platform.tray),
      popMenuEvent_(platform.timers.createTimer([this] { PopMenuEvent_Timer(); })),
      shellEvent_(platform.timers.createTimer([this] { ShellEvent_Timer(); })),
      trayWait_(platform.timers.createTimer([this] { withoutTray(); })),
      hostMenuChanged_(platform.timers.createTimer([this] {
          hostMenuChanged_->stop();
          platform_.tray.menuChanged();
      })) {
    popMenuEvent_->setInterval(PopMenuDelay);
    shellEvent_->setInterval(ShellDelay);
    trayWait_->setInterval(TrayWaitMs);
    hostMenuChanged_->setInterval(0);
    sysTray_.MouseUp = [this](int button, int iconId) { SysTray_MouseUp(button, iconId); };
    icons_.SetPictureChanged([this](const TreeNode* node) { quickPictureChanged(node); });
}

Tray::~Tray() {
    icons_.SetPictureChanged({});
}

void Tray::Show(const QString& iconName, const QString& tip) {
    sysTray_.SetTrayIcon({TrayPicture::Icon, iconName});
    sysTray_.SetTrayTip(tip);
    sysTray_.SetInTray(true);
}

void Tray::Remove() {
    sysTray_.SetInTray(false);
}

void Tray::trayNotify(int iconId, int mouseMessage) {
    sysTray_.notify(iconId, mouseMessage);
}

void Tray::SysTray_MouseUp(int button, int iconId) {
    Q_UNUSED(iconId)
    if (button == ButtonLeft) {
        menu_.OfferHide(true);
        if (platform_.window.isVisible())
            platform_.window.bringToFront();
        else
            window_.ShowWindow();
    } else if (button == ButtonRight) {
        prepareMenu();
        // Not from inside the notification: the menu opens once it returned.
        popMenuEvent_->start();
    }
}

void Tray::prepareMenu() {
    if (settings_.SettingsPending())
        settings_.LoadSettings();  // so the quick list is complete
    menu_.OfferRestore(backups_.HasBackups());
    // A program that was never shown has looked no icon up: the few the
    // quick list shows are looked up now, in time for the menu to open.
    icons_.LookUpNow(QuickListNodes(tree_, quickList_.Entries()));
}

MenuEntry Tray::buildMenu(const std::vector<TreeNode*>& quickNodes) const {
    std::vector<QString> pictures;
    for (const TreeNode* node : quickNodes)
        pictures.push_back(QuickListPicture(node));
    return menu_.Build(quickList_, pictures);
}

void Tray::trayHostChanged(TrayHost host) {
    switch (host) {
    case TrayHost::Present:
        trayWait_->stop();
        available_ = true;  // the close box hides into it again
        break;
    case TrayHost::Awaited:
        if (available_ && !trayWait_->isActive())
            trayWait_->start();
        break;
    case TrayHost::Absent:
        withoutTray();
        break;
    }
}

// Without a tray the window is the only way in: it shows, and never
// minimised, since nothing else could bring it back up.
void Tray::withoutTray() {
    trayWait_->stop();
    if (!available_)
        return;
    available_ = false;
    SysTray_MouseUp(ButtonLeft, 0);
    if (platform_.window.windowState() == StateMinimized)
        platform_.window.setWindowState(StateNormal);
}

void Tray::PopMenuEvent_Timer() {
    popMenuEvent_->stop();
    trayMenuChosen(platform_.menus.popup(buildMenu(QuickListNodes(tree_, quickList_.Entries()))));
}

MenuEntry Tray::trayMenuForHost() {
    const std::vector<TreeNode*> nodes = QuickListNodes(tree_, quickList_.Entries());
    hostQuickNodes_ = {nodes.begin(), nodes.end()};
    hostQuickNodes_.erase(nullptr);
    return buildMenu(nodes);
}

// Icons answer later than a host reads the menu, a batch at a time: a host
// holding the menu hears once for the batch, and only when an entry of the
// quick list it was shown changed.
void Tray::quickPictureChanged(const TreeNode* node) {
    if (hostQuickNodes_.contains(node) && !hostMenuChanged_->isActive())
        hostMenuChanged_->start();
}

void Tray::trayMenuAboutToShow() {
    prepareMenu();
}

void Tray::trayMenuChosen(const MenuChoice& choice) {
    const std::optional<TrayMenuId> id = ChosenEntry<TrayMenuId>(choice);
    if (!id)
        return;
    switch (*id) {
    case TrayMenuId::tiOpen:
        tiOpen_Click();
        break;
    case TrayMenuId::tiHide:
        tiHide_Click();
        break;
    case TrayMenuId::tiRestore:
        tiRestore_Click();
        break;
    case TrayMenuId::tiAbout:
        tiAbout_Click();
        break;
    case TrayMenuId::tiUnload:
        tiUnload_Click();
        break;
    case TrayMenuId::qlQuickAccess:
        qlQuickAccess_Click(choice.index);
        break;
    case TrayMenuId::tiMenu:
    case TrayMenuId::tiQuickList:
    case TrayMenuId::tiSep1:
    case TrayMenuId::tiCancel:
        break;
    }
}

void Tray::tiOpen_Click() {
    SysTray_MouseUp(ButtonLeft, 0);
}

void Tray::tiHide_Click() {
    window_.tvHide_Click();
}

void Tray::tiRestore_Click() {
    backups_.tiRestore_Click();
}

void Tray::tiAbout_Click() {
    window_.tvAbout_Click();
}

void Tray::tiUnload_Click() {
    window_.tvUnload_Click();
}

void Tray::qlQuickAccess_Click(int index) {
    const QuickEntry* entry = quickList_.Entry(index);
    if (!entry)
        return;  // an "Empty" place
    LaunchLater(entry->path);
}

void Tray::LaunchLater(const QString& path) {
    pendingLaunchPath_ = path;
    shellEvent_->start();
}

void Tray::ShellEvent_Timer() {
    shellEvent_->stop();
    ShellOpen(platform_.shell, checks_, pendingLaunchPath_, [this](bool opened) {
        platform_.window.setMousePointer(PointerDefault);
        if (!opened) {
            platform_.messages.show(OpenTexts::itemUnavailable(), OpenTexts::warningTitle(),
                                    MsgButtons::Ok, MsgIcon::None);
        }
    });
}

int Tray::FindQuickEntry(const TreeNode* node) const {
    return node ? quickList_.Find(node->Text(), node->Tag()) : -1;
}

void Tray::SetQuickCaption(int index, const QString& caption) {
    quickList_.SetCaption(index, caption);
}

void Tray::SetQuickPath(int index, const QString& path) {
    quickList_.SetPath(index, path);
}

void Tray::RemoveQuickEntry(const TreeNode* node) {
    const int index = FindQuickEntry(node);
    if (index == -1)
        return;
    quickList_.RemoveAt(index);
    settings_.ScheduleSave();
}

void Tray::RestoreQuickEntries(const QuickEntries& entries) {
    quickList_.Clear();
    for (const QuickEntry& entry : entries)
        quickList_.Add(entry.caption, entry.path);
}

void Tray::tvAddQuickList_Click() {
    TreeHistory::Step step(history_, HistoryTexts::addToQuickList());
    const TreeNode* node = tree_.SelectedItem();
    // The tree menu offers this only for a node not in a list that has room;
    // refuse here too rather than overflow the menu's places.
    if (!node || FindQuickEntry(node) != -1 || !quickList_.Add(node->Text(), node->Tag()))
        return;
    settings_.ScheduleSave();
}

void Tray::tvRmvQuickList_Click() {
    TreeHistory::Step step(history_, HistoryTexts::removeFromQuickList());
    RemoveQuickEntry(tree_.SelectedItem());
}
