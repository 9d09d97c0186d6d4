#pragma once

#include <QString>

// What the user is told when a path does not open.
namespace OpenTexts {
inline QString warningTitle() {
    return QStringLiteral("Warning");
}
inline QString folderUnavailable() {
    return QStringLiteral("Folder is unavailable or no longer exist.");
}
inline QString itemUnavailable() {
    return QStringLiteral("Item is unavailable or no longer exist.");
}
}  // namespace OpenTexts
