// Putting the window back into the tray, and the About box.
#include "FrmVarnel.h"
#include "Texts.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"

void FrmVarnel::tvHide_Click() {
    platform.window.hide();
    trayMenu.HideVisible = false;
    trayMenu.OpenVisible = true;
}

void FrmVarnel::tvAutoHide_Click() {
    AutoHideChecked = !AutoHideChecked;
    ScheduleSave();
}

void FrmVarnel::tvAbout_Click() {
    platform.messages.show(Texts::aboutText(), Texts::aboutTitle(), MsgButtons::Ok, MsgIcon::None);
}
