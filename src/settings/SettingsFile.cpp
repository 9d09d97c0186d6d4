#include "SettingsFile.h"

#include "Cp1252.h"
#include "SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {
QString joinFileName(const QString& dir) {
    QString path = dir;
    if (!path.endsWith(u'/'))
        path += u'/';
    return path + SettingsKeys::FileName;
}
}  // namespace

QString ChooseSettingsPath(const QString& programDir, const QString& configDir) {
    const QFileInfo program(programDir);
    if (!programDir.isEmpty() && program.isDir() && program.isWritable())
        return joinFileName(programDir);
    return joinFileName(configDir);
}

ReadOutcome ReadSettingsFile(const QString& path, QString* text) {
    const QFileInfo info(path);
    if (!info.exists())
        return ReadOutcome::Missing;
    // A directory in the file's place opens on some systems and then fails
    // to read; either way it cannot be read as settings.
    if (info.isDir())
        return ReadOutcome::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadOutcome::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ReadOutcome::Unreadable;
    if (text)
        *text = DecodeSettingsBytes(bytes);
    return ReadOutcome::Read;
}

QString DecodeSettingsBytes(const QByteArray& bytes) {
    // The decoder skips a leading byte-order mark on its own.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeCp1252(bytes);
}

bool WriteSettingsFile(const QString& path, const QByteArray& content) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    QSaveFile file(path);
    // Writing in place could leave half a file behind; better to fail and
    // let the user retry.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Flush before committing: a small file sits in Qt's buffer until then,
    // and a disk that fills during that last write would otherwise still be
    // committed, cut short, over the previous file.
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
