#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class QtImageList;

// The PNG picture that a dbusmenu host shows beside an entry ("icon-data"),
// for an image key of the tree's image list. Each key is drawn once: it
// names the same picture for the whole run (the list only grows), and a
// host asks for the whole menu each time it opens.
class MenuIconData {
public:
    static constexpr int Size = 16;  // a menu's small icon

    explicit MenuIconData(const QtImageList& images) : images_(images) {}

    QByteArray of(const QString& image);
    int drawings() const { return drawings_; }  // pictures drawn so far

private:
    const QtImageList& images_;
    QHash<QString, QByteArray> drawn_;  // by image key
    int drawings_ = 0;
};
