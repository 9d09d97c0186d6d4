// Start-up only: the application object, where the files live, the real
// platform and the main window's logic.
#include "app/AppPaths.h"
#include "app/FrmVarnel.h"
#include "platform/qt/QtPlatform.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The program lives in the tray: a hidden window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("varnel"));

    AppPaths paths;
    paths.programDir = QCoreApplication::applicationDirPath();
    paths.settingsPath = ChooseSettingsPath(
        paths.programDir, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    paths.lockPath = QFileInfo(paths.settingsPath).absolutePath() + QStringLiteral("/Varnel.lock");

    QtPlatform platform;
    FrmVarnel frm(platform.platform(), paths);
    platform.attach(frm, frm.Tree());
    const int exitCode = frm.Form_Load() ? QApplication::exec() : 0;
    // The logic and its tree go before the platform: nothing may reach them after this.
    platform.detach();
    return exitCode;
}
