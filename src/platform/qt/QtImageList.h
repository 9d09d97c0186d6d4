#pragma once

#include "platform/ImageListPort.h"

#include <QHash>
#include <QIcon>
#include <QString>
#include <vector>

// The tree's pictures, numbered from 1 and named by key: "closed" (1),
// "open" (2) and "leaf" (3) are always there; item icons are added after
// them. A node's image value is either a key or the decimal number of a
// picture; anything the list does not know shows as "leaf", so a stale number
// in the settings file never leaves a node without a picture. The three
// fixed pictures are loaded when first drawn.
class QtImageList : public ImageListPort {
public:
    QtImageList();

    // ImageListPort. An icon comes from the desktop's icon theme, looked up
    // once per name.
    std::uint64_t lookUpIcon(const QString& iconName, const QString& genericIconName) override;
    int add(const QString& key, std::uint64_t icon) override;
    int indexOf(const QString& key) const override;

    int count() const { return static_cast<int>(entries_.size()); }
    QIcon icon(int index) const;  // the leaf when out of range
    // The picture for a node's image value: a key, or a number.
    QIcon iconFor(const QString& imageValue) const;
    int indexFor(const QString& imageValue) const;
    // The 32 by 32 picture a dragged node shows: the folder and leaf
    // pictures at that size, an item's own icon in the middle of it.
    QPixmap dragPicture(const QString& imageValue) const;

private:
    struct Entry {
        QString key;
        mutable QIcon icon;
    };
    std::vector<Entry> entries_;
    QHash<QString, int> indexes_;  // by key
    // Every icon looked up, never released: handle n is lookedUp_[n - 1].
    std::vector<QIcon> lookedUp_;
    QHash<QString, std::uint64_t> handles_;  // by theme name; 0 for none
};
