#include "IconKind.h"

#include <QFileInfo>
#include <QMimeDatabase>

std::optional<IconKind> LookUpIconKind(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return std::nullopt;
    const QMimeDatabase types;
    QMimeType type;
    if (info.isDir())
        type = types.mimeTypeForName(QStringLiteral("inode/directory"));
    else {
        type = types.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        if (type.isDefault())
            type = types.mimeTypeForFile(info, QMimeDatabase::MatchContent);
    }
    return IconKind{type.iconName(), type.genericIconName()};
}

IconKind WebAddressIcon() {
    return IconKind{QStringLiteral("text-html"), QStringLiteral("applications-internet")};
}
