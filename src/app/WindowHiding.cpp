// Showing the window from the tray, putting it back, the About box and the
// window's own hint.
#include "CenterForm.h"
#include "FrmVarnel.h"
#include "tree/HoverHelp.h"

void FrmVarnel::ShowWindow() {
    if (settings_.SettingsPending()) {
        // On a first run the browser opens on the program's directory; the
        // settings override that when they hold a place of their own.
        browser_.PointAt(paths_.programDir);
        settings_.LoadSettings();
        layout_.Form_Resize();
    }
    settings_.WindowShown();
    icons_.WindowShown();
    brokenPaths_.WindowShown();
    if (!platform_.window.isVisible())
        platform_.window.show();
    bookmarkOffer_.WindowShown();
    recoveryNotice_.WindowShown();
}

void FrmVarnel::tvHide_Click() {
    platform_.window.hide();
    tray_.WindowHidden();
}

void FrmVarnel::tvAutoHide_Click() {
    options_.SetAutoHide(!options_.AutoHide());
    settings_.ScheduleSave();
}

// Centred over the main window, shown or hidden: a hidden one still has
// the rectangle it will show at.
void FrmVarnel::tvAbout_Click() {
    const TwipsSize size = platform_.about.size();
    platform_.about.showModal(
        CenterOnOwner({0, 0, size.height, size.width}, platform_.window.geometry()));
}

void FrmVarnel::Form_MouseMove() {
    HoverHelp::Show(platform_.statusBar, HoverHelp::window());
}
