#pragma once

#include <QString>

// What the user reads of the file manager's bookmarks brought in and the
// tree written out as bookmarks.
namespace BookmarkTexts {
inline QString importEntry() {
    return QStringLiteral("Import Bookmarks\u2026");
}
inline QString exportEntry() {
    return QStringLiteral("Export\u2026");
}
// The folder the bookmarks come in, and the step Undo takes back.
inline QString folderLabel() {
    return QStringLiteral("Bookmarks");
}
inline QString importStep() {
    return QStringLiteral("Import Bookmarks");
}
inline QString title() {
    return QStringLiteral("Bookmarks");
}
inline QString imported(qsizetype count) {
    return count == 1 ? QStringLiteral("1 bookmark was imported into the folder \"Bookmarks\".")
                      : QStringLiteral("%1 bookmarks were imported into the folder \"Bookmarks\".")
                            .arg(count);
}
inline QString nothingNew() {
    return QStringLiteral("There are no new bookmarks to import.");
}
inline QString noneFound(const QString& gtk, const QString& kde) {
    return QStringLiteral("No bookmarks were found in %1 or %2.").arg(gtk, kde);
}
inline QString alreadyThere(qsizetype count) {
    return count == 1 ? QStringLiteral("1 was already in the tree.")
                      : QStringLiteral("%1 were already in the tree.").arg(count);
}
inline QString notLocal(qsizetype count) {
    return count == 1
               ? QStringLiteral(
                     "1 address that is not a local file (such as sftp: or smb:) was not imported.")
               : QStringLiteral(
                     "%1 addresses that are not local files (such as sftp: or smb:) "
                     "were not imported.")
                     .arg(count);
}
inline QString notKept(qsizetype count) {
    return count == 1 ? QStringLiteral(
                            "1 path was left out: its name is not valid UTF-8 text or holds a "
                            "line break.")
                      : QStringLiteral(
                            "%1 paths were left out: their names are not valid UTF-8 text or hold "
                            "line breaks.")
                            .arg(count);
}
// A file that could not be read or is no bookmarks file: nothing is imported.
inline QString unreadable(const QString& file, const QString& reason) {
    return QStringLiteral("The bookmarks file %1 could not be read (%2). Nothing was imported.")
        .arg(file, reason);
}
inline QString malformedAt(const QString& error, qint64 line) {
    return QStringLiteral("%1 at line %2").arg(error).arg(line);
}
inline QString notXbel() {
    return QStringLiteral("it is not an XBEL bookmarks file");
}

// The strip over the tree that offers the import once.
inline QString offer(qsizetype count) {
    return count == 1 ? QStringLiteral("Your file manager has 1 bookmark.")
                      : QStringLiteral("Your file manager has %1 bookmarks.").arg(count);
}
inline QString offerAccept() {
    return QStringLiteral("Import");
}
inline QString offerDecline() {
    return QStringLiteral("No Thanks");
}

// Export.
inline QString exportTreeTitle() {
    return QStringLiteral("Export the tree as bookmarks");
}
inline QString exportFolderTitle(const QString& label) {
    return QStringLiteral("Export the folder \"%1\" as bookmarks").arg(label);
}
inline QString exportFileName() {
    return QStringLiteral("Varnel Bookmarks.xbel");
}
inline QString exportFilter() {
    return QStringLiteral("XBEL bookmarks (*.xbel);;All files (*)");
}
inline QString cannotExport(const QString& file, const QString& reason) {
    return QStringLiteral("The bookmarks could not be written to %1 (%2).").arg(file, reason);
}
}  // namespace BookmarkTexts
