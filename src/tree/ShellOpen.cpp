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

// The URL the opener gets for a path, or an invalid one when there is
// nothing to open.
QUrl urlToOpen(const QString& path) {
    if (path.isEmpty())
        return {};
    if (!path.startsWith(QLatin1Char('/')) && hasUrlScheme(path)) {
        const QUrl url(path);
        if (!url.isValid() || (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())))
            return {};
        return url;
    }
    const QFileInfo info(path);
    return info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl();
}
}  // namespace

void ShellOpen(Shell& shell, const QString& path, Shell::Done done) {
    const QUrl url = urlToOpen(path);
    if (!url.isValid()) {
        done(false);
        return;
    }
    shell.open(url, std::move(done));
}
