#pragma once

#include <QString>

// The keys of each control of the main window, told in its tooltip (which
// screen readers also read as the control's description). The status bar's
// hints speak of the mouse; these speak of the keyboard.
namespace KeyHelpTexts {
inline QString tree() {
    return QStringLiteral(
        "Keys: Return opens the selected item, F2 renames it, Delete deletes it, the Menu key "
        "or Shift+F10 opens its menu; Ctrl+X cuts it, Ctrl+V moves the item cut after the "
        "selected one, Escape calls the cut off; Ctrl+F or / filters the tree; Ctrl+Z undoes, "
        "Ctrl+Y redoes.");
}
inline QString dirList() {
    return QStringLiteral(
        "Keys: Return goes into the selected folder, the Menu key or Shift+F10 opens the menu.");
}
inline QString fileList() {
    return QStringLiteral(
        "Keys: Return opens the selected file, the Menu key or Shift+F10 opens the menu.");
}
inline QString driveList() {
    return QStringLiteral("Keys: Up and Down choose a drive, Alt+Down opens the list.");
}
inline QString filterLine() {
    return QStringLiteral(
        "Keys: type to keep in view the items that hold the text, Escape shows the whole tree "
        "again.");
}
}  // namespace KeyHelpTexts
