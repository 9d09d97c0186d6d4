#pragma once

#include <QString>
#include <optional>

// What kind of icon a path's item shows: the theme names of its type's icon.
struct IconKind {
    QString iconName;
    QString genericIconName;
};

// Asks the file system: nothing when the path is not there. The type comes
// from the name when the name tells it, from the content only when it does
// not, so most paths are never opened. Safe on any thread; it may wait on a
// mount that does not answer, so never call it on the user-interface thread.
std::optional<IconKind> LookUpIconKind(const QString& path);

// The picture of an item that points at a web address: the desktop's web
// page, else its browser.
IconKind WebAddressIcon();
