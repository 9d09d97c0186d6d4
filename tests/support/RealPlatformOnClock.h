#pragma once

#include "app/AppPaths.h"
#include "platform/Platform.h"
#include "platform/Timer.h"

#include <QTemporaryDir>

// The real platform with the tests' timers in place of its own, so that a
// test of the real widgets moves time on as it wants.
inline Platform onClock(const Platform& p, TimerFactory& clock) {
    return {clock,         p.messages,   p.menus,     p.shell,     p.tray,        p.window,
            p.treeView,    p.pathLabel,  p.driveList, p.dirList,   p.fileList,    p.images,
            p.statusBar,   p.about,      p.work,      p.notices,   p.fileWatches, p.chooser,
            p.runningCopy, p.filterLine, p.quickFind, p.offerStrip};
}

// Settings and lock kept in a temporary folder, the program's own.
inline AppPaths pathsIn(const QTemporaryDir& dir) {
    AppPaths paths;
    paths.programDir = dir.path();
    paths.settingsPath = dir.filePath(QStringLiteral("Varnel.INI"));
    paths.lockPath = dir.filePath(QStringLiteral("Varnel.lock"));
    return paths;
}
