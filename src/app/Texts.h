#pragma once

#include <QString>

// The program's own texts, each written once.
namespace Texts {
inline QString programTitle() { return QStringLiteral("Varnel"); }
inline QString alreadyRunning() { return QStringLiteral("Varnel is already installed in the Tray"); }
inline QString unableToSave() {
    return QStringLiteral("Unable to save settings.  The INI file may already be opened.");
}
inline QString unableToLoad() {
    return QStringLiteral("Unable to load settings.  The INI file may already be opened.");
}
inline QString warningTitle() { return QStringLiteral("Warning"); }
inline QString folderUnavailable() {
    return QStringLiteral("Folder is unavailable or no longer exist.");
}
inline QString itemUnavailable() { return QStringLiteral("Item is unavailable or no longer exist."); }
inline QString aboutTitle() { return QStringLiteral("About Varnel"); }
inline QString aboutText() {
    return QStringLiteral("Varnel\nA tree of shortcuts to your files and folders, kept in the tray.");
}
// The tray icon's picture: the program's own icon.
inline QString programIcon() { return QStringLiteral("varnel"); }
}  // namespace Texts
