#include "ShellOpen.h"

#include "platform/Shell.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {
// Two or more scheme characters before the colon, so that no local path
// (which starts with "/") and no one-letter drive of an old file reads as a URL.
bool hasUrlScheme(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch();
}
}  // namespace

bool ShellOpen(Shell& shell, const QString& path) {
    if (path.isEmpty()) return false;
    if (!path.startsWith(QLatin1Char('/')) && hasUrlScheme(path)) {
        const QUrl url(path);
        if (!url.isValid()) return false;
        if (!url.isLocalFile()) return shell.openUrl(url);
        return QFileInfo::exists(url.toLocalFile()) && shell.openUrl(url);
    }
    const QFileInfo info(path);
    if (!info.exists()) return false;
    return shell.openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}
