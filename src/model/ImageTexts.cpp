#include "ImageTexts.h"

#include "ImageKeys.h"

#include <cstring>

namespace {
template <std::size_t N>
bool spells(const QString& text, const char16_t (&key)[N]) {
    // Through a view: QString::utf16() would copy a literal to end it.
    return text.size() == qsizetype(N - 1) &&
           std::memcmp(QStringView(text).utf16(), key, 2 * (N - 1)) == 0;
}

// The fixed texts are most of what comes: told apart by their lengths and
// characters, without hashing or a look at the entries.
ImageTexts::Id fixedId(const QString& text) {
    if (spells(text, u"leaf"))
        return ImageTexts::Leaf;
    if (spells(text, u"closed"))
        return ImageTexts::Closed;
    if (spells(text, u"open"))
        return ImageTexts::Open;
    return ImageTexts::Empty;
}
}  // namespace

const QString& ImageTexts::FixedText(Id id) {
    static const QString texts[] = {QString(), ImageKeys::closed(), ImageKeys::open(),
                                    ImageKeys::leaf()};
    return texts[id];
}

ImageTexts::ImageTexts() {
    for (Id id = Empty; id <= Leaf; ++id) {
        texts_.push_back(FixedText(id));
        users_.push_back(Fixed);
        fixed_[id] = FixedText(id).constData();
    }
}

ImageTexts::Id ImageTexts::acquire(const QString& text) {
    if (text.isEmpty())
        return Empty;
    if (const Id id = fixedId(text); id != Empty)
        return id;
    // A reader hands over copies of one string for node after node: the
    // same characters at the same place are the same text, known without
    // hashing. A number given back holds an empty text, or another one.
    if (const QString& last = texts_[last_];
        last.constData() == text.constData() && last.size() == text.size()) {
        ++users_[last_];
        return last_;
    }
    if (const auto found = ids_.constFind(text); found != ids_.cend()) {
        ++users_[*found];
        last_ = *found;
        return *found;
    }
    Id id;
    if (free_.empty()) {
        id = Id(texts_.size());
        texts_.push_back(text);
        users_.push_back(1);
    } else {
        id = free_.back();
        free_.pop_back();
        texts_[id] = text;
        users_[id] = 1;
    }
    ids_.insert(text, id);
    last_ = id;
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
    if (id <= Leaf)
        return;  // fixed
    if (users_[id] == Fixed || --users_[id] > 0)
        return;
    ids_.remove(texts_[id]);
    texts_[id] = QString();
    free_.push_back(id);
}
