// Lazy saving and the one reading of the settings file per run.
#include "FrmVarnel.h"
#include "Texts.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "platform/TreeViewPort.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsWriter.h"

#include <QFile>

// Applies what the reader finds to the window, the browser and the quick list.
class FrmVarnel::SettingsApplier : public SettingsSink {
public:
    explicit SettingsApplier(FrmVarnel& form) : f(form) {}

    void applyWinTop(std::int32_t twips) override { apply(&TwipsRect::top, f.SavedTop, twips); }
    void applyWinLeft(std::int32_t twips) override { apply(&TwipsRect::left, f.SavedLeft, twips); }
    void applyWinHeight(std::int32_t twips) override {
        apply(&TwipsRect::height, f.SavedHeight, twips);
    }
    void applyWinWidth(std::int32_t twips) override {
        apply(&TwipsRect::width, f.SavedWidth, twips);
    }
    void applyWinState(int state) override {
        if (state >= StateNormal && state <= StateMaximized) f.platform.window.setWindowState(state);
    }
    void applyAutoHide(bool checked) override { f.AutoHideChecked = checked; }
    void applyFullPath(bool checked) override { f.FullPathChecked = checked; }
    bool applyDrive(const QString& drive) override { return f.browser.SetDrive(drive); }
    bool applyDirPath(const QString& path) override { return f.browser.SetDirPath(path); }
    void applyDirSel(int index) override { f.browser.SetDirSel(index); }
    void applyDirVis(bool visible) override { f.browser.SetDirVis(visible); }
    bool appendQuickEntry(const QString& caption, const QString& path) override {
        return f.quickList.Add(caption, path);
    }
    void selectLoadedNode(TreeNode* node) override {
        f.tree.SetSelectedItem(node);
        f.platform.treeView.EnsureVisible(node);
    }
    int GetItemIcon(const QString& path) override { return f.itemIcons.GetItemIcon(path); }

private:
    void apply(std::int32_t TwipsRect::*edge, std::int32_t& saved, std::int32_t twips) {
        saved = twips;
        TwipsRect rect = f.platform.window.geometry();
        rect.*edge = twips;
        f.platform.window.setGeometry(rect);
    }
    FrmVarnel& f;
};

void FrmVarnel::ScheduleSave() {
    SaveSetTimer->stop();
    SettingsDirty = true;
    SaveSetTimer->start();
}

void FrmVarnel::SaveSetTimer_Timer() {
    SaveSetTimer->stop();
    SaveSettings();
}

void FrmVarnel::SaveSettings() {
    SaveSetTimer->stop();
    if (SettingsPending) {
        LoadSettings();
        return;
    }
    MainWindowPort& window = platform.window;
    const bool normal = window.windowState() == StateNormal;
    const TwipsRect rect = window.geometry();
    if (normal && rect != TwipsRect{SavedTop, SavedLeft, SavedHeight, SavedWidth})
        SettingsDirty = true;
    if (!SettingsDirty) return;

    if (normal) {
        SavedTop = rect.top;
        SavedLeft = rect.left;
        SavedHeight = rect.height;
        SavedWidth = rect.width;
    }
    SettingsValues values;
    values.winTop = SavedTop;
    values.winLeft = SavedLeft;
    values.winHeight = SavedHeight;
    values.winWidth = SavedWidth;
    values.winState = window.windowState();
    values.hide = AutoHideChecked;
    values.fullPath = FullPathChecked;
    values.drive = browser.Drive();
    values.dirPath = browser.DirPath();
    values.dirSel = browser.DirSel();
    values.dirVis = browser.DirVis();

    window.setMousePointer(PointerBusy);
    const QByteArray content = WriteSettingsText(values, tree, quickList.Entries());
    if (SettingsReadRefused && QFile::exists(paths.settingsPath)) {
        // This run never managed to read the file: keep it rather than
        // replace a tree the user has not seen with one that lacks it.
        const QString aside = paths.settingsPath + QStringLiteral(".unread");
        QFile::remove(aside);
        QFile::rename(paths.settingsPath, aside);
    }
    for (;;) {
        if (WriteSettingsFile(paths.settingsPath, content)) break;
        window.setMousePointer(PointerDefault);
        const MsgAnswer answer = platform.messages.show(
            Texts::unableToSave(), Texts::programTitle(), MsgButtons::RetryCancel, MsgIcon::Stop);
        if (answer != MsgAnswer::Retry) return;  // still dirty: the next save tries again
        window.setMousePointer(PointerBusy);
    }
    SettingsReadRefused = false;
    window.setMousePointer(PointerDefault);
    SettingsDirty = false;
}

void FrmVarnel::LoadSettings() {
    quickList.Clear();
    if (!QFile::exists(paths.settingsPath)) return;
    QString text;
    while (ReadSettingsFile(paths.settingsPath, &text) != ReadOutcome::Read) {
        const MsgAnswer answer = platform.messages.show(
            Texts::unableToLoad(), Texts::programTitle(), MsgButtons::RetryCancel, MsgIcon::Stop);
        if (answer != MsgAnswer::Retry) {
            SettingsReadRefused = true;
            return;
        }
        if (!QFile::exists(paths.settingsPath)) return;
    }
    SettingsReadRefused = false;

    platform.window.setMousePointer(PointerBusy);
    TreeBusy = true;
    SettingsApplier applier(*this);
    ReadSettingsText(text, applier, tree);
    TreeBusy = false;
    platform.window.setMousePointer(PointerDefault);
    SettingsDirty = false;
    SettingsPending = false;
}
