#pragma once

#include <QString>

// The icons of items in the tree's image list. Until items get icons of their
// own, every path shows the "leaf" picture.
class ItemIcons {
public:
    // The image list index of the path's icon: 3 ("leaf") when it has none
    // of its own, 0 when the lookup fails.
    int GetItemIcon(const QString& path);
};
