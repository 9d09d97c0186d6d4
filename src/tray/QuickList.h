#pragma once

#include "model/QuickEntry.h"
#include "platform/PopupMenu.h"

#include <array>

// The tray's quick list: up to 64 (caption, path) entries in the order they
// were added, and the 64 menu places that show them. Place i shows entry i;
// places above the last entry are hidden and read "Empty", except place 0,
// which stays visible reading "Empty" while the list is empty.
class QuickList {
public:
    static constexpr int Capacity = 64;

    QuickList();

    int QuickLast() const { return static_cast<int>(entries_.size()) - 1; }
    bool IsFull() const { return static_cast<int>(entries_.size()) >= Capacity; }
    const QuickEntries& Entries() const { return entries_; }
    // The entry at index, or null for a place that holds none.
    const QuickEntry* Entry(int index) const {
        return index >= 0 && index <= QuickLast() ? &entries_[static_cast<size_t>(index)] : nullptr;
    }

    // Index of the first entry equal in caption and path (exact, case
    // sensitive), or -1.
    int Find(const QString& caption, const QString& path) const;

    // Appends an entry; refuses when all places are taken.
    bool Add(const QString& caption, const QString& path);
    // Removes the entry at index, moving the later ones up.
    bool RemoveAt(int index);
    void Clear();
    void SetCaption(int index, const QString& caption);
    void SetPath(int index, const QString& path);

    // The menu places qlQuickAccess(0..63).
    std::vector<MenuEntry> MenuPlaces() const { return {places_.begin(), places_.end()}; }

private:
    void resetPlace(int index);

    QuickEntries entries_;
    std::array<MenuEntry, Capacity> places_;
};
