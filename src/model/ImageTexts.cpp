#include "ImageTexts.h"

#include "ImageKeys.h"

ImageTexts::ImageTexts() {
    for (const QString& text :
         {QString(), ImageKeys::closed(), ImageKeys::open(), ImageKeys::leaf()})
        entries_.push_back({text, Fixed});
}

ImageTexts::Id ImageTexts::acquire(const QString& text) {
    if (text.isEmpty())
        return Empty;
    // The fixed texts are most of what comes: found without hashing.
    for (Id id = Closed; id <= Leaf; ++id)
        if (entries_[id].text == text)
            return id;
    if (const auto found = ids_.constFind(text); found != ids_.cend()) {
        ++entries_[*found].users;
        return *found;
    }
    Id id;
    if (free_.empty()) {
        id = Id(entries_.size());
        entries_.push_back({text, 1});
    } else {
        id = free_.back();
        free_.pop_back();
        entries_[id] = {text, 1};
    }
    ids_.insert(text, id);
    return id;
}

ImageTexts::Id ImageTexts::replace(Id old, const QString& text) {
    // Taken before the old one goes, so that the same text is not dropped
    // and made again.
    const Id id = acquire(text);
    release(old);
    return id;
}

void ImageTexts::release(Id id) {
    Entry& entry = entries_[id];
    if (entry.users == Fixed || --entry.users > 0)
        return;
    ids_.remove(entry.text);
    entry.text = QString();
    free_.push_back(id);
}
