#pragma once

#include <QString>

// Where this run keeps its files, fixed at start-up.
struct AppPaths {
    QString programDir;    // the directory of the executable
    QString settingsPath;  // the full path of Varnel.INI, where it is written
    // A settings file beside a program whose directory cannot be written
    // (a write-protected stick): read when settingsPath does not exist yet,
    // never written. Empty when the settings live beside the program.
    QString programCopyPath;
    QString lockPath;  // the single-instance lock, beside the settings
};

// The settings beside the program when its directory is writable (portable
// use), otherwise in the configuration directory.
AppPaths ChooseAppPaths(const QString& programDir, const QString& configDir);
