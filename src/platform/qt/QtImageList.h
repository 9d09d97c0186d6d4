#pragma once

#include <QIcon>
#include <QString>
#include <vector>

// The tree's pictures, numbered from 1 and named by key: "closed" (1),
// "open" (2) and "leaf" (3) are always there; item icons are added after
// them. A node's image value is either a key or the decimal number of a
// picture; anything the list does not know shows as "leaf", so a stale number
// in the settings file never leaves a node without a picture.
class QtImageList {
public:
    QtImageList();

    // Appends a picture under a key and returns its number, or 0 when the key
    // is taken (the list never holds two pictures under one key).
    int add(const QString& key, const QIcon& icon);

    int count() const { return static_cast<int>(entries_.size()); }
    int indexOf(const QString& key) const;  // 0 when absent
    QString keyAt(int index) const;         // empty when out of range
    QIcon icon(int index) const;            // the leaf when out of range
    // The picture for a node's image value: a key, or a number.
    QIcon iconFor(const QString& imageValue) const;
    int indexFor(const QString& imageValue) const;

private:
    struct Entry {
        QString key;
        QIcon icon;
    };
    std::vector<Entry> entries_;
};
