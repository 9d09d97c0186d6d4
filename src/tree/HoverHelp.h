#pragma once

#include <QString>

class StatusBarPort;
class TreeNode;

// The status bar's one-line hints for what is under the pointer.
namespace HoverHelp {
inline QString folder() {
    return QStringLiteral(
        "Double click on this folder to open it, or Drag it to another folder or item.");
}
inline QString item() {
    return QStringLiteral(
        "Double click on this item to open it, or Drag it to another folder or item.");
}
inline QString tree() {
    return QStringLiteral(
        "Use Drag & Drop in this window to customize it.  Right click on Window or Item for Menu");
}
inline QString pathDisp() {
    return QStringLiteral("Display the path of the current selected item.  Double click to open.");
}
inline QString window() {
    return QStringLiteral("Varnel: your folders and files, a double click away");
}

// The tree's hint for a node, or for the tree where there is none.
QString forNode(const TreeNode* node);

// Writes the hint only when the bar shows something else, so moving within
// one area leaves the bar alone.
void Show(StatusBarPort& bar, const QString& hint);
}  // namespace HoverHelp
