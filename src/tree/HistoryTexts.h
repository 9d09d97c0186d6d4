#pragma once

#include <QString>

// The names of the steps the tree's history takes back, as the "Undo" entry
// of the tree's menu shows them.
namespace HistoryTexts {
inline QString undo() {
    return QStringLiteral("Undo");
}
// "Undo" and what it takes back, or "Undo" alone with nothing to take back.
inline QString undoEntry(const QString& what) {
    return what.isEmpty() ? undo() : undo() + QLatin1Char(' ') + what;
}
inline QString newFolder() {
    return QStringLiteral("New Folder");
}
inline QString newItem() {
    return QStringLiteral("New Item");
}
inline QString rename() {
    return QStringLiteral("Rename");
}
inline QString modify() {
    return QStringLiteral("Modify");
}
inline QString deleteNode() {
    return QStringLiteral("Delete");
}
inline QString move() {
    return QStringLiteral("Move");
}
inline QString copy() {
    return QStringLiteral("Copy");
}
inline QString drop() {
    return QStringLiteral("Drop");
}
inline QString addToQuickList() {
    return QStringLiteral("Add to Quick List");
}
inline QString removeFromQuickList() {
    return QStringLiteral("Remove from Quick List");
}
inline QString restore() {
    return QStringLiteral("Restore");
}
}  // namespace HistoryTexts
