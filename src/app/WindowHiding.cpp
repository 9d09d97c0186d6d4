// Showing the window from the tray, putting it back, and the About box.
#include "FrmVarnel.h"
#include "Texts.h"
#include "platform/MessageBoxes.h"

void FrmVarnel::ShowWindow() {
    if (settings_.SettingsPending()) {
        // On a first run the browser opens on the program's directory; the
        // settings override that when they hold a place of their own.
        browser_.PointAt(paths_.programDir);
        settings_.LoadSettings();
        layout_.Form_Resize();
    }
    settings_.WindowShown();
    if (!platform_.window.isVisible())
        platform_.window.show();
}

void FrmVarnel::tvHide_Click() {
    platform_.window.hide();
    tray_.WindowHidden();
}

void FrmVarnel::tvAutoHide_Click() {
    options_.SetAutoHide(!options_.AutoHide());
    settings_.ScheduleSave();
}

void FrmVarnel::tvAbout_Click() {
    platform_.messages.show(Texts::aboutText(), Texts::aboutTitle(), MsgButtons::Ok, MsgIcon::None);
}
