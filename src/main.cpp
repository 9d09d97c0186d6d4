// Start-up only: the application object, where the files live, the real
// platform and the main window's logic.
#include "app/AppPaths.h"
#include "app/FrmVarnel.h"
#include "platform/qt/ApplicationSetup.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/bus/GlobalShortcutsPortal.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SetUpApplication();

    AppPaths paths =
        ChooseAppPaths(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                       QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    paths.stateDir = UserStateFolder();
    QtPlatform platform;
    FrmVarnel frm(platform.platform(), paths);
    platform.attach(frm.Events(), frm.tree());
    const bool runsOn = frm.Form_Load();
    // Only the copy that runs on asks the desktop for its key: a refused
    // copy would have the desktop ask the user for a key it cannot serve.
    if (runsOn)
        platform.globalShortcuts().start();
    const int exitCode = runsOn ? QApplication::exec() : 0;
    // The logic and its tree go before the platform: nothing may reach them after this.
    platform.detach();
    return exitCode;
}
