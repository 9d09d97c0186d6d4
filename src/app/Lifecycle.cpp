// Start-up, close requests and the end of the program.
#include "CenterForm.h"
#include "FrmVarnel.h"
#include "Texts.h"
#include "platform/MessageBoxes.h"
#include "platform/RunningCopyPort.h"
#include "platform/Timer.h"

LoadResult FrmVarnel::Form_Load(const Summon& summon) {
    switch (instanceLock_.Acquire()) {
    case InstanceLock::Outcome::Locked:
        break;
    case InstanceLock::Outcome::HeldByAnother:
        return SecondStart(platform_.runningCopy, platform_.messages, paths_.busName, summon);
    case InstanceLock::Outcome::Failed:
        platform_.messages.show(
            paths_.lockPath.isEmpty()
                ? Texts::noRuntimeFolder()
                : Texts::cannotLock(paths_.lockPath, instanceLock_.FailureReason()),
            Texts::programTitle(), MsgButtons::Ok, MsgIcon::Stop);
        return {false, 1, {}};  // the program did not start: no success to report
    }
    // Reachable only while it holds the lock, so that a second start that
    // finds the lock held finds this copy.
    platform_.runningCopy.Listen(paths_.busName);

    const TwipsRect centred =
        CenterOnScreen(platform_.window.geometry(), platform_.window.screenSize());
    platform_.window.setGeometry(centred);
    settings_.SetSavedRect(centred);
    layout_.Record();
    tray_.Show(Texts::programIcon(), Texts::programTitle());
    settings_.ScheduleSave();
    recoveryNotice_.Announce();
    carryOut(summon);
    return {};
}

// A start with a switch and no copy running: this copy is the one that runs,
// and does what was asked of it. The desktop that started it hands its
// token to the window system by itself.
void FrmVarnel::carryOut(const Summon& summon) {
    switch (summon.kind) {
    case Summon::Kind::None:
        break;
    case Summon::Kind::Show:
        summons_.ShowWindow(QString());
        break;
    case Summon::Kind::Toggle:
        summons_.ToggleWindow(QString());
        break;
    case Summon::Kind::Popup:
    case Summon::Kind::Find:
        summons_.popUp(summon.text, QString());
        break;
    }
}

bool FrmVarnel::Form_QueryUnload(int unloadMode) {
    bool cancel = false;
    if (unloadMode == vbFormControlMenu) {
        if (tray_.Available())
            tvHide_Click();
        else
            platform_.window.setWindowState(StateMinimized);  // hiding would leave no way back
        cancel = true;
    }
    settings_.SaveSettings();
    return cancel;
}

void FrmVarnel::Form_Unload() {
    tray_.Remove();
}

void FrmVarnel::unloadMainWindow(int unloadMode) {
    if (unloading_)
        return;
    unloading_ = true;
    if (Form_QueryUnload(unloadMode)) {
        unloading_ = false;
        return;
    }
    // The settings are saved (or kept aside): the lock goes first, before
    // anything that talks to the desktop and could be slow to answer; the
    // name on the bus just before it, so that whoever finds the lock free
    // can take the name too.
    summons_.Stop();
    platform_.runningCopy.StopListening();
    instanceLock_.Release();
    Form_Unload();
    settings_.StopTimer();
    platform_.window.hide();
    platform_.window.quit();
}

void FrmVarnel::SessionEnding() {
    settings_.SessionEnding();
    if (unloading_) {
        // An unload held up by the box that asks to retry the save: ending
        // the loops closes the box, and that unload goes on to its end,
        // keeping the settings in a recovery file.
        if (settings_.Saving())
            platform_.window.quit();
        return;
    }
    unloadMainWindow(vbAppWindows);
}

void FrmVarnel::tvUnload_Click() {
    unloadEvent_->start();
}

void FrmVarnel::UnloadEvent_Timer() {
    unloadEvent_->stop();
    unloadMainWindow(vbFormCode);
}
