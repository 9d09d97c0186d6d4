#include "QuickList.h"

#include "TrayMenu.h"

namespace {
QString emptyCaption() {
    return QStringLiteral("Empty");
}
}  // namespace

QuickList::QuickList() {
    for (int i = 0; i < Capacity; ++i) {
        places_[static_cast<size_t>(i)] = MenuCommand(TrayMenuId::qlQuickAccess, QString(), i);
        resetPlace(i);
    }
}

void QuickList::resetPlace(int index) {
    MenuEntry& place = places_[static_cast<size_t>(index)];
    place.caption = emptyCaption();
    place.visible = index == 0;
}

int QuickList::Find(const QString& caption, const QString& path) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].caption == caption && entries_[i].path == path)
            return static_cast<int>(i);
    }
    return -1;
}

bool QuickList::Add(const QString& caption, const QString& path) {
    if (IsFull())
        return false;
    entries_.push_back({caption, path});
    MenuEntry& place = places_[entries_.size() - 1];
    place.caption = caption;
    place.visible = true;
    return true;
}

bool QuickList::RemoveAt(int index) {
    if (index < 0 || index > QuickLast())
        return false;
    const int last = QuickLast();
    entries_.erase(entries_.begin() + index);
    for (int i = index; i < last; ++i)
        places_[static_cast<size_t>(i)].caption = places_[static_cast<size_t>(i) + 1].caption;
    resetPlace(last);
    return true;
}

void QuickList::Clear() {
    entries_.clear();
    for (int i = 0; i < Capacity; ++i)
        resetPlace(i);
}

void QuickList::SetCaption(int index, const QString& caption) {
    if (index < 0 || index > QuickLast())
        return;
    entries_[static_cast<size_t>(index)].caption = caption;
    places_[static_cast<size_t>(index)].caption = caption;
}

void QuickList::SetPath(int index, const QString& path) {
    if (index < 0 || index > QuickLast())
        return;
    entries_[static_cast<size_t>(index)].path = path;
}
