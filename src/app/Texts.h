#pragma once

#include <QString>

// The program's own texts and names, each written once.
namespace Texts {
inline QString programTitle() {
    return QStringLiteral("Varnel");
}
// The icon's name in the desktop's icon themes, and the program's file names.
inline QString programIcon() {
    return QStringLiteral("varnel");
}
inline QString alreadyRunning() {
    return QStringLiteral("Varnel is already installed in the Tray");
}
inline QString cannotLock(const QString& lockPath, const QString& reason) {
    return QStringLiteral("Varnel cannot start: its lock file %1 could not be made (%2).")
        .arg(lockPath, reason);
}
inline QString noRuntimeFolder() {
    return QStringLiteral(
        "Varnel cannot start: there is no private runtime folder for its lock file (set "
        "XDG_RUNTIME_DIR, or see the messages above).");
}
inline QString runningCopyUnreachable(const QString& reason) {
    return QStringLiteral(
               "varnel: another copy of Varnel runs for these settings, but it cannot "
               "be reached: %1")
        .arg(reason);
}
inline QString unableToSave() {
    return QStringLiteral("Unable to save settings.  The INI file may already be opened.");
}
inline QString unableToLoad() {
    return QStringLiteral("Unable to load settings.  The INI file may already be opened.");
}
inline QString keptAside(const QString& path, const QString& aside) {
    return QStringLiteral(
               "Varnel could not use its settings file %1, so it has kept it as %2 and starts "
               "a new one.")
        .arg(path, aside);
}
inline QString cannotKeepAside(const QString& path, const QString& reason) {
    return QStringLiteral(
               "Varnel could not use its settings file %1, nor move it aside (%2). Nothing will "
               "be saved over it.")
        .arg(path, reason);
}
inline QString keptTheirs(const QString& path, const QString& aside) {
    return QStringLiteral(
               "Another program changed Varnel's settings file %1 while Varnel had changes of "
               "its own to save. Varnel has saved its own there and kept the other version as "
               "%2.")
        .arg(path, aside);
}
inline QString cannotKeepTheirs(const QString& path, const QString& reason) {
    return QStringLiteral(
               "Another program changed Varnel's settings file %1, and Varnel could not keep a "
               "copy of that version (%2). Nothing will be saved over it.")
        .arg(path, reason);
}
inline QString folderOffItsDisk(const QString& folder) {
    return QStringLiteral(
               "Varnel has not saved its settings: the folder %1 is no longer on the disk they "
               "were read from (was the disk removed?). They will be saved there once it is "
               "back.")
        .arg(folder);
}
// Recovery files: one path a line, the newest last.
inline QString settingsRecovered(const QString& recoveryFiles, const QString& settingsPath) {
    return QStringLiteral(
               "Varnel could not save its settings when a session ended, and kept them in:\n"
               "%1\n"
               "To go back to them, unload Varnel and copy the newest over %2.")
        .arg(recoveryFiles, settingsPath);
}
}  // namespace Texts
