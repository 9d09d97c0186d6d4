#include "QtImageList.h"

#include "model/ImageKeys.h"
#include "platform/qt/IconTheme.h"
#include "platform/qt/VarnelResources.h"

#include <QPainter>

namespace {
// The desktop theme's picture when it has one, so the tree looks native;
// our own artwork otherwise.
QIcon fixedPicture(int index) {
    initVarnelResources();
    switch (index) {
    case ImageKeys::ClosedIndex:
        return QIcon::fromTheme(QStringLiteral("folder"),
                                QIcon(QStringLiteral(":/icons/closed.png")));
    case ImageKeys::OpenIndex:
        return QIcon::fromTheme(QStringLiteral("folder-open"),
                                QIcon(QStringLiteral(":/icons/open.png")));
    default:
        return QIcon::fromTheme(QStringLiteral("text-x-generic"),
                                QIcon(QStringLiteral(":/icons/leaf.png")));
    }
}
}  // namespace

QtImageList::QtImageList()
    : entries_{{ImageKeys::closed(), {}}, {ImageKeys::open(), {}}, {ImageKeys::leaf(), {}}} {
    ChooseIconTheme();
    for (int i = 0; i < count(); ++i)
        indexes_.insert(entries_[static_cast<std::size_t>(i)].key, i + 1);
}

std::uint64_t QtImageList::lookUpIcon(const QString& iconName, const QString& genericIconName) {
    const auto handleOf = [this](const QString& name) -> std::uint64_t {
        if (name.isEmpty())
            return 0;
        if (const auto known = handles_.constFind(name); known != handles_.cend())
            return *known;
        std::uint64_t handle = 0;
        const QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull()) {
            lookedUp_.push_back(icon);
            handle = lookedUp_.size();
        }
        handles_.insert(name, handle);
        return handle;
    };
    if (const std::uint64_t handle = handleOf(iconName))
        return handle;
    return handleOf(genericIconName);
}

int QtImageList::add(const QString& key, std::uint64_t icon) {
    if (key.isEmpty() || indexOf(key) != 0 || icon == 0 || icon > lookedUp_.size())
        return 0;
    entries_.push_back({key, lookedUp_[icon - 1]});
    indexes_.insert(key, count());
    return count();
}

int QtImageList::indexOf(const QString& key) const {
    return indexes_.value(key, 0);
}

QIcon QtImageList::icon(int index) const {
    if (index < 1 || index > count())
        index = ImageKeys::LeafIndex;
    const Entry& entry = entries_[static_cast<std::size_t>(index - 1)];
    if (entry.icon.isNull() && index <= ImageKeys::LeafIndex)
        entry.icon = fixedPicture(index);
    return entry.icon;
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

QPixmap QtImageList::dragPicture(const QString& imageValue) const {
    constexpr int Size = 32;
    const int index = indexFor(imageValue);
    if (index <= ImageKeys::LeafIndex)
        return icon(index).pixmap(Size, Size);
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int small = Size / 2;
    painter.drawPixmap(Size / 4, Size / 4, icon(index).pixmap(small, small));
    return picture;
}
