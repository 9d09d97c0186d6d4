// The main window's answer to the tray icon, its menu and the quick list.
#include "app/FrmVarnel.h"
#include "platform/MainWindowPort.h"
#include "platform/PopupMenu.h"
#include "platform/Timer.h"

void FrmVarnel::SysTray_MouseUp(int button, int iconId) {
    Q_UNUSED(iconId)
    if (button == ButtonLeft) {
        trayMenu.HideVisible = true;
        trayMenu.OpenVisible = false;
        if (platform.window.isVisible()) {
            platform.window.bringToFront();
            return;
        }
        if (SettingsPending) showFirstTime();
        SettingsPending = false;
        if (!platform.window.isVisible()) platform.window.show();
    } else if (button == ButtonRight) {
        prepareTrayMenu();
        // Not from inside the notification: the menu opens once it returned.
        PopMenuEvent->start();
    }
}

void FrmVarnel::prepareTrayMenu() {
    if (SettingsPending) LoadSettings();  // so the quick list is complete
    trayMenu.QuickListEnabled = quickList.QuickLast() != -1;
}

void FrmVarnel::showFirstTime() {
    browser.PointAt(paths.programDir);
    LoadSettings();
    Form_Resize();
}

void FrmVarnel::trayUnavailable() {
    NoTray = true;
    SysTray_MouseUp(ButtonLeft, 0);
}

void FrmVarnel::PopMenuEvent_Timer() {
    PopMenuEvent->stop();
    trayMenuChosen(platform.menus.popup(trayMenu.Build(quickList)));
}

MenuEntry FrmVarnel::trayMenuForHost() {
    prepareTrayMenu();
    return trayMenu.Build(quickList);
}

void FrmVarnel::trayMenuChosen(const MenuChoice& choice) {
    const QString& name = choice.name;
    if (name == QLatin1String("tiOpen")) tiOpen_Click();
    else if (name == QLatin1String("tiHide")) tiHide_Click();
    else if (name == QLatin1String("tiAbout")) tiAbout_Click();
    else if (name == QLatin1String("tiUnload")) tiUnload_Click();
    else if (name == QLatin1String("qlQuickAccess")) qlQuickAccess_Click(choice.index);
}

void FrmVarnel::tiOpen_Click() { SysTray_MouseUp(ButtonLeft, 0); }

void FrmVarnel::tiHide_Click() { tvHide_Click(); }

void FrmVarnel::tiAbout_Click() { tvAbout_Click(); }

void FrmVarnel::qlQuickAccess_Click(int index) {
    if (index < 0 || index > quickList.QuickLast()) return;  // an "Empty" place
    PendingLaunchPath = quickList.Entry(index).path;
    ShellEvent->start();
}

int FrmVarnel::FindQuickEntry(const TreeNode* node) const {
    return node ? quickList.Find(node->Text(), node->Tag()) : -1;
}

void FrmVarnel::tvAddQuickList_Click() {
    const TreeNode* node = tree.SelectedItem();
    // The tree menu offers this only for a node not in a list that has room;
    // refuse here too rather than overflow the menu's places.
    if (!node || FindQuickEntry(node) != -1) return;
    if (!quickList.Add(node->Text(), node->Tag())) return;
    ScheduleSave();
}

void FrmVarnel::tvRmvQuickList_Click() {
    const int index = FindQuickEntry(tree.SelectedItem());
    if (index == -1) return;
    quickList.RemoveAt(index);
    ScheduleSave();
}
