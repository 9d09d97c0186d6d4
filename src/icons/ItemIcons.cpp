#include "ItemIcons.h"

#include "model/ImageKeys.h"

int ItemIcons::GetItemIcon(const QString& path) {
    Q_UNUSED(path)
    return ImageKeys::LeafIndex;
}
