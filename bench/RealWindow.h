#pragma once

#include "app/AppPaths.h"
#include "app/FrmVarnel.h"
#include "platform/qt/QtPlatform.h"

#include <QDir>

// The real platform and the main window's logic, started as the program
// starts them, with the settings file and the lock in DIRECTORY: what the
// window probes measure. Check `loaded` before use.
struct RealWindow {
    explicit RealWindow(const QString& directory)
        : paths(pathsIn(directory)), frm(platform.platform(), paths) {
        platform.attach(frm.Events(), frm.tree());
        loaded = frm.Form_Load().runs;
    }
    ~RealWindow() { platform.detach(); }
    RealWindow(const RealWindow&) = delete;
    RealWindow& operator=(const RealWindow&) = delete;

    static AppPaths pathsIn(const QString& directory) {
        AppPaths in;
        in.programDir = directory;
        in.settingsPath = QDir(directory).filePath(QStringLiteral("Varnel.INI"));
        in.lockPath = QDir(directory).filePath(QStringLiteral("Varnel.lock"));
        return in;
    }

    AppPaths paths;
    QtPlatform platform;
    FrmVarnel frm;
    bool loaded = false;
};
