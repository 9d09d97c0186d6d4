#pragma once

#include <QString>

// Where this run keeps its files, fixed at start-up.
struct AppPaths {
    QString programDir;    // the directory of the executable
    QString settingsPath;  // the full path of Varnel.INI
    QString lockPath;      // the single-instance lock, beside the settings
};
