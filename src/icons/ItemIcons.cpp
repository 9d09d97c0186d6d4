#include "ItemIcons.h"

#include "model/ImageKeys.h"
#include "platform/ImageListPort.h"

#include <QFileInfo>

int ItemIcons::GetItemIcon(const QString& path) {
    // A path that is not there has no type to show, whatever its name says.
    if (path.isEmpty() || !QFileInfo::exists(path))
        return ImageKeys::LeafIndex;
    const std::uint64_t icon = images_.lookUpIcon(path);
    if (icon == 0)
        return ImageKeys::LeafIndex;
    // The key carries the icon's handle, so a drag can draw it again.
    const QString key = QLatin1Char('K') + QString::number(icon);
    if (const int added = images_.add(key, icon))
        return added;
    return images_.indexOf(key);
}
