#include "AppPaths.h"

#include "Texts.h"
#include "settings/SettingsFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

namespace {
// The path with every link resolved, also when the file or its folders do
// not exist yet: the nearest folder that does is resolved, the rest kept.
QString resolvedPath(const QString& path) {
    QString head = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString tail;
    for (;;) {
        const QString resolved = QFileInfo(head).canonicalFilePath();
        if (!resolved.isEmpty())
            return tail.isEmpty() ? resolved : QDir::cleanPath(resolved + u'/' + tail);
        const qsizetype slash = head.lastIndexOf(u'/');
        if (slash < 0 || head == u'/')
            return QDir::cleanPath(path);
        tail = tail.isEmpty() ? head.sliced(slash + 1) : head.sliced(slash + 1) + u'/' + tail;
        head = slash > 0 ? head.first(slash) : QStringLiteral("/");
    }
}

// One lock per settings file, however its folder's path is spelled. The file
// itself is named as it is, link or not: a link to another program's
// document is moved aside before the first save, and the file made in its
// place must be guarded by the same lock.
QString settingsHash(const QString& settingsPath) {
    const QFileInfo file(settingsPath);
    const QString named = resolvedPath(file.absolutePath()) + u'/' + file.fileName();
    const QByteArray hash = QCryptographicHash::hash(named.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(16));
}

QString lockName(const QString& hash) {
    return Texts::programTitle() + u'-' + hash + QStringLiteral(".lock");
}

// The usual settings file answers under the program's own name, so that a
// desktop or a script can reach it without knowing where it lives. Another
// one has its own: a bus name's parts may not start with a digit, which a
// hash may.
QString busName(const QString& hash, bool usualFile) {
    const QString name = QStringLiteral("org.varnel.Varnel");
    return usualFile ? name : name + QStringLiteral(".f") + hash;
}
}  // namespace

AppPaths ChooseAppPaths(const QString& programDir, const QString& configDir,
                        const QString& runtimeDir, const QString& configFile) {
    AppPaths paths;
    paths.programDir = programDir;
    paths.settingsPath = ChooseSettingsPath(programDir, configDir);
    const QString usualHash = settingsHash(paths.settingsPath);
    const QString beside = ChooseSettingsPath(programDir, programDir);
    if (!configFile.isEmpty())
        paths.settingsPath = configFile;  // nothing beside the program to start from
    else if (paths.settingsPath != beside)
        paths.programCopyPath = beside;
    const QString hash = settingsHash(paths.settingsPath);
    if (!runtimeDir.isEmpty())
        paths.lockPath = runtimeDir + QStringLiteral("/varnel/") + lockName(hash);
    paths.busName = busName(hash, hash == usualHash);
    return paths;
}

QString UserStateFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base)) {
        if (QDir::homePath().isEmpty())
            return QString();
        base = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return QDir::cleanPath(base) + u'/' + Texts::programIcon();
}
