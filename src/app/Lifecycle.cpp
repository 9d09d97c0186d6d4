// Start-up, close requests and the end of the program.
#include "CenterForm.h"
#include "FrmVarnel.h"
#include "Texts.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The controls that have a rectangle, in the order they were designed.
constexpr Control LayoutControls[] = {Control::DriveList, Control::DirList, Control::FileList,
                                      Control::TreeView,  Control::PathDisp, Control::BarStatus};
}  // namespace

bool FrmVarnel::Form_Load() {
    // One resident copy per settings file: a second one would fight over it.
    QDir().mkpath(QFileInfo(paths.lockPath).absolutePath());
    instanceLock = std::make_unique<QLockFile>(paths.lockPath);
    instanceLock->setStaleLockTime(0);  // stale only when its owner is gone
    if (!instanceLock->tryLock(0)) {
        platform.messages.show(Texts::alreadyRunning(), Texts::programTitle(), MsgButtons::Ok,
                               MsgIcon::None);
        instanceLock.reset();
        return false;
    }

    controlLayout.clear();
    for (Control control : LayoutControls) {
        if (const std::optional<TwipsRect> rect = platform.window.controlRect(control))
            controlLayout.push_back({control, *rect});
    }

    SettingsPending = true;
    SettingsDirty = false;
    LabelEditPending = false;
    TreeDragState = DirDragState = FileDragState = 0;
    LayoutReady = false;

    const TwipsRect centred = CenterOnScreen(platform.window.geometry(), platform.window.screenSize());
    platform.window.setGeometry(centred);
    SavedTop = centred.top;
    SavedLeft = centred.left;
    SavedHeight = centred.height;
    SavedWidth = centred.width;
    StartWidth = centred.width;
    StartHeight = centred.height;
    LayoutReady = true;

    sysTray.SetTrayIcon({TrayPicture::Icon, Texts::programIcon()});
    sysTray.SetTrayTip(Texts::programTitle());
    sysTray.SetInTray(true);

    ScheduleSave();
    return true;
}

bool FrmVarnel::Form_QueryUnload(int unloadMode) {
    bool cancel = false;
    if (unloadMode == vbFormControlMenu) {
        if (NoTray) {
            // Hiding would leave no way back in without a tray.
            platform.window.setWindowState(StateMinimized);
        } else {
            tvHide_Click();
        }
        cancel = true;
    }
    SaveSettings();
    return cancel;
}

void FrmVarnel::Form_Unload() { sysTray.SetInTray(false); }

void FrmVarnel::unloadMainWindow(int unloadMode) {
    if (Unloading) return;
    Unloading = true;
    if (Form_QueryUnload(unloadMode)) {
        Unloading = false;
        return;
    }
    Form_Unload();
    SaveSetTimer->stop();
    platform.window.hide();
    instanceLock.reset();
    platform.window.quit();
}

void FrmVarnel::SessionEnding() { unloadMainWindow(vbAppWindows); }

void FrmVarnel::tvUnload_Click() { UnloadEvent->start(); }

void FrmVarnel::tiUnload_Click() { tvUnload_Click(); }

void FrmVarnel::UnloadEvent_Timer() {
    UnloadEvent->stop();
    unloadMainWindow(vbFormCode);
}
