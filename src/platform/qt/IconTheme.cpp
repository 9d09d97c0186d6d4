#include "IconTheme.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

namespace {
const QString FileTypesTheme = QStringLiteral("Adwaita");
}

void ChooseIconTheme() {
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    QStringList searched = QIcon::themeSearchPaths();
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = QDir(data).filePath(QStringLiteral("icons"));
        if (!searched.contains(icons))
            searched.append(icons);
    }
    QIcon::setThemeSearchPaths(searched);
    for (const QString& path : searched) {
        if (QFileInfo::exists(
                QDir(path).filePath(FileTypesTheme + QStringLiteral("/index.theme")))) {
            QIcon::setThemeName(FileTypesTheme);
            return;
        }
    }
}
