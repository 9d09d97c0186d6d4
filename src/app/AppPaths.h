#pragma once

#include <QString>
#include <QStringList>

// Where this run keeps its files, fixed at start-up.
struct AppPaths {
    QString programDir;    // the directory of the executable
    QString settingsPath;  // the full path of Varnel.INI, where it is written
    // A settings file beside a program whose directory cannot be written
    // (a write-protected stick): read when settingsPath does not exist yet,
    // never written. Empty when the settings live beside the program.
    QString programCopyPath;
    // The single-instance lock: in the user's runtime folder, named for the
    // settings file, never beside it (a lock in a synced folder would travel
    // to another machine and keep the program from starting there).
    QString lockPath;
    // The user's state folder for the program ($XDG_STATE_HOME/varnel):
    // where settings that could not be saved at the end of a session go.
    // Empty when there is none; they go beside the settings file then.
    QString stateDir;
    // The name under which the running copy answers on the session bus:
    // one per settings file, as the lock.
    QString busName;
    // The desktop's autostart entry for Varnel, and the command it starts
    // (the program's absolute path, then its arguments). Empty: nowhere.
    QString autostartFile;
    QStringList startCommand;
    // The file managers' bookmarks that "Import Bookmarks…" reads (GTK's
    // list and KDE's places), and the folder where "Export…" starts.
    QString gtkBookmarks;
    QString kdePlaces;
    QString homeFolder;
};

// The settings beside the program when a file is already there and its
// directory is writable (portable use), otherwise in the configuration
// directory; or configFile when one is given (an absolute path). runtimeDir
// is the user's private runtime folder; empty when there is none.
AppPaths ChooseAppPaths(const QString& programDir, const QString& configDir,
                        const QString& runtimeDir, const QString& configFile = QString());

// $XDG_STATE_HOME/varnel, or ~/.local/state/varnel where that is not set (or
// not an absolute path, which the desktop's rules say to ignore).
QString UserStateFolder();
