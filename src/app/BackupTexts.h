#pragma once

#include <QString>

// What the backups of the settings file and their restoring say.
namespace BackupTexts {
inline QString chooserTitle() {
    return QStringLiteral("Restore Settings");
}
inline QString chooserPrompt() {
    return QStringLiteral(
        "Go back to the tree and the quick list of a backup. The window and the browser stay "
        "as they are, and the settings as they are now are kept first.");
}
inline QString restoreButton() {
    return QStringLiteral("Restore");
}
inline QString nodes(int count) {
    return count == 1 ? QStringLiteral("1 node") : QStringLiteral("%1 nodes").arg(count);
}
inline QString unreadableLine() {
    return QStringLiteral("cannot be read");
}
inline QString beforeRestore() {
    return QStringLiteral("before a restore");
}
inline QString noBackups() {
    return QStringLiteral("There are no backups of the settings yet.");
}
inline QString cannotBackUp(const QString& folder, const QString& reason) {
    return QStringLiteral(
               "Varnel could not keep a backup of its settings in %1 (%2). The settings "
               "themselves are still saved.")
        .arg(folder, reason);
}
inline QString cannotRestore(const QString& path, const QString& reason) {
    return QStringLiteral("Varnel could not restore the backup %1 (%2). Nothing was changed.")
        .arg(path, reason);
}
inline QString notSavedFirst() {
    return QStringLiteral(
        "Varnel could not save the settings as they are now, so it has restored nothing.");
}
inline QString cannotKeepCurrent(const QString& folder, const QString& reason) {
    return QStringLiteral(
               "Varnel could not keep a copy of the settings as they are now in %1 (%2), so it "
               "has restored nothing.")
        .arg(folder, reason);
}
}  // namespace BackupTexts
