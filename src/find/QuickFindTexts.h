#pragma once

#include <QString>

// What the quick-find pop-up says of itself.
namespace QuickFindTexts {
// The one line shown while the quick list is empty and nothing is typed.
inline QString emptyQuickList() {
    return QStringLiteral("Right-click a node in the tree and choose \"Add to Quick List\".");
}
}  // namespace QuickFindTexts
