#include "QtImageList.h"

#include "VarnelResources.h"
#include "model/ImageKeys.h"

namespace {
// The desktop theme's picture when it has one, so the tree looks native;
// our own artwork otherwise.
QIcon themed(const char* themeName, const char* resource) {
    return QIcon::fromTheme(QLatin1String(themeName), QIcon(QLatin1String(resource)));
}
}  // namespace

QtImageList::QtImageList() {
    initVarnelResources();
    add(ImageKeys::closed(), themed("folder", ":/icons/closed.png"));
    add(ImageKeys::open(), themed("folder-open", ":/icons/open.png"));
    add(ImageKeys::leaf(), themed("text-x-generic", ":/icons/leaf.png"));
}

int QtImageList::add(const QString& key, const QIcon& icon) {
    if (!key.isEmpty() && indexOf(key) != 0)
        return 0;
    entries_.push_back({key, icon});
    return count();
}

int QtImageList::indexOf(const QString& key) const {
    if (key.isEmpty())
        return 0;
    for (int i = 0; i < count(); ++i) {
        if (entries_[static_cast<std::size_t>(i)].key == key)
            return i + 1;
    }
    return 0;
}

QString QtImageList::keyAt(int index) const {
    return index >= 1 && index <= count() ? entries_[static_cast<std::size_t>(index - 1)].key
                                          : QString();
}

QIcon QtImageList::icon(int index) const {
    if (index < 1 || index > count())
        index = ImageKeys::LeafIndex;
    return entries_[static_cast<std::size_t>(index - 1)].icon;
}

int QtImageList::indexFor(const QString& imageValue) const {
    if (const int byKey = indexOf(imageValue))
        return byKey;
    bool isNumber = false;
    const int number = imageValue.toInt(&isNumber);
    return isNumber && number >= 1 && number <= count() ? number : ImageKeys::LeafIndex;
}

QIcon QtImageList::iconFor(const QString& imageValue) const {
    return icon(indexFor(imageValue));
}
