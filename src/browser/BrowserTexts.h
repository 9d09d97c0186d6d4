#pragma once

#include <QString>

// What the browser panel tells the user, each text written once.
namespace BrowserTexts {
inline QString driveNotAccessible() {
    return QStringLiteral("The selected drive is not accessible.");
}
inline QString fileUnavailable() {
    return QStringLiteral("File is unavailable or no longer exist.");
}
// The status bar's hints over the lists.
inline QString dirListHint() {
    return QStringLiteral(
        "Select a folder and Drag it to the window on the right to add it.  Right click for Menu.");
}
inline QString fileListHint() {
    return QStringLiteral(
        "Select a file and Drag it to the window on the right to add it.  Right click for Menu.");
}
}  // namespace BrowserTexts
