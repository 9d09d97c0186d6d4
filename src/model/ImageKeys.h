#pragma once

#include <QString>

// Image keys of the tree's image list; indices 1 to 3 never change and item
// icons follow from index 4 on.
namespace ImageKeys {
inline QString closed() {
    return QStringLiteral("closed");
}
inline QString open() {
    return QStringLiteral("open");
}
inline QString leaf() {
    return QStringLiteral("leaf");
}
constexpr int ClosedIndex = 1;
constexpr int OpenIndex = 2;
constexpr int LeafIndex = 3;
constexpr int FirstItemIconIndex = 4;

// The image a node shows for an index of the image list: the fixed pictures
// by their keys, item icons by their index.
inline QString forIndex(int index) {
    switch (index) {
    case ClosedIndex:
        return closed();
    case OpenIndex:
        return open();
    case LeafIndex:
        return leaf();
    default:
        return QString::number(index);
    }
}

// An item whose icon is still being looked up keeps the image it was stored
// with, marked so that it is saved as it was and drawn as the leaf: nothing
// takes it for a picture of this run's list. The mark is a character no
// image key or index begins with.
inline QString waiting(const QString& stored) {
    return QLatin1Char('?') + stored;
}
inline bool isWaiting(const QString& image) {
    return image.startsWith(QLatin1Char('?'));
}

// A node is a folder exactly when its collapsed image is one of the two
// folder pictures; every other node is an item.
inline bool isFolderImage(const QString& image) {
    return image == QLatin1String("closed") || image == QLatin1String("open");
}
}  // namespace ImageKeys
