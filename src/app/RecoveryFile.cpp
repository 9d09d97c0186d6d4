#include "RecoveryFile.h"

#include "Texts.h"
#include "platform/Timer.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcRecovery, "varnel.settings")

namespace {
QString namePrefix() {
    return Texts::programTitle() + QStringLiteral("-recovery-");
}

QString toldListName() {
    return Texts::programTitle() + QStringLiteral("-recovery.told");
}

// The names in a folder's list of files told; none when there is no list.
QStringList toldNames(const QString& folder) {
    QFile list(folder + u'/' + toldListName());
    if (!list.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QStringList recoveryNames(const QString& folder) {
    QStringList names = QDir(folder).entryList({namePrefix() + QStringLiteral("*.INI")},
                                               QDir::Files | QDir::Hidden);
    // By date and time; files of the same second by their number ("-2",
    // "-10"), which is longer the later it comes.
    const qsizetype dated = namePrefix().size() + 15;  // yyyyMMdd-HHmmss
    std::sort(names.begin(), names.end(), [dated](const QString& a, const QString& b) {
        const int byDate = a.left(dated).compare(b.left(dated));
        if (byDate != 0)
            return byDate < 0;
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}
}  // namespace

RecoveryFile::RecoveryFile(TimerFactory& clock, const AppPaths& paths)
    : clock_(clock),
      stateDir_(paths.stateDir),
      settingsDir_(QFileInfo(paths.settingsPath).absolutePath()) {}

QStringList RecoveryFile::folders() const {
    QStringList folders;
    if (!stateDir_.isEmpty())
        folders << stateDir_;
    if (!settingsDir_.isEmpty() && !folders.contains(settingsDir_))
        folders << settingsDir_;
    return folders;
}

QString RecoveryFile::Write(const QByteArray& content) const {
    const QString stem =
        namePrefix() + clock_.currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString& folder : folders()) {
        QString path = folder + u'/' + stem + QStringLiteral(".INI");
        for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
            path = folder + u'/' + stem + u'-' + QString::number(n) + QStringLiteral(".INI");
        QString error;
        if (WriteSettingsFile(path, content, &error))
            return path;
        qCWarning(lcRecovery) << "cannot keep the settings in" << path << ":" << error;
    }
    return QString();
}

QStringList RecoveryFile::Untold() const {
    QStringList untold;
    for (const QString& folder : folders()) {
        const QStringList told = toldNames(folder);
        for (const QString& name : recoveryNames(folder))
            if (!told.contains(name))
                untold << folder + u'/' + name;
    }
    return untold;
}

// Each folder's list keeps the names told before and the new ones of its
// own, as long as their files are there: it does not grow for ever.
void RecoveryFile::MarkTold(const QStringList& files) const {
    for (const QString& folder : folders()) {
        QStringList names = toldNames(folder);
        for (const QString& file : files)
            if (QFileInfo(file).absolutePath() == folder)
                names << QFileInfo(file).fileName();
        const QStringList present = recoveryNames(folder);
        QStringList told;
        for (const QString& name : names)
            if (present.contains(name) && !told.contains(name))
                told << name;
        if (told.isEmpty())
            continue;
        QString error;
        if (!WriteSettingsFile(folder + u'/' + toldListName(), told.join(u'\n').toUtf8() + '\n',
                               &error))
            qCWarning(lcRecovery) << "cannot keep the list of recovery files told in" << folder
                                  << ":" << error;
    }
}
