#pragma once

#include <QString>

class ImageListPort;

// The icons of items in the tree's image list: each lookup appends the
// desktop's small icon for the path's type as a new picture.
class ItemIcons {
public:
    explicit ItemIcons(ImageListPort& images) : images_(images) {}

    // The image list index of the path's icon: 3 ("leaf") when it has none
    // of its own, 0 when the icon could be neither added nor found.
    int GetItemIcon(const QString& path);

private:
    ImageListPort& images_;
};
