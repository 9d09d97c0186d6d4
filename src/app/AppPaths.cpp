#include "AppPaths.h"

#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

AppPaths ChooseAppPaths(const QString& programDir, const QString& configDir) {
    AppPaths paths;
    paths.programDir = programDir;
    paths.settingsPath = ChooseSettingsPath(programDir, configDir);
    const QString beside = ChooseSettingsPath(programDir, programDir);
    if (paths.settingsPath != beside)
        paths.programCopyPath = beside;
    paths.lockPath = QFileInfo(paths.settingsPath).absolutePath() + QStringLiteral("/Varnel.lock");
    return paths;
}
