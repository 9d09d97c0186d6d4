#include "SettingsFile.h"

#include "SettingsKeys.h"
#include "SettingsLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {
QString joinFileName(const QString& dir) {
    QString path = dir;
    if (!path.endsWith(u'/'))
        path += u'/';
    return path + SettingsKeys::FileName;
}
}  // namespace

QString ChooseSettingsPath(const QString& programDir, const QString& configDir) {
    if (programDir.isEmpty())
        return joinFileName(configDir);
    // Only a file the user put there (a link too, even a dangling one): a
    // program installed in ~/.local/bin, /usr/bin or a build folder never
    // writes there.
    const QString beside = joinFileName(programDir);
    const QFileInfo file(beside);
    const QFileInfo program(programDir);
    if ((file.exists() || file.isSymLink()) && program.isDir() && program.isWritable())
        return beside;
    return joinFileName(configDir);
}

ReadOutcome ReadSettingsFile(const QString& path, QByteArray* bytes, QString* error) {
    const QFileInfo info(path);
    if (!info.exists())
        return ReadOutcome::Missing;
    // A directory in the file's place opens on some systems and then fails
    // to read; either way it cannot be read as settings.
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error =
                info.isDir() ? QStringLiteral("a folder stands in its place") : file.errorString();
        return ReadOutcome::Unreadable;
    }
    QByteArray read = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return ReadOutcome::Unreadable;
    }
    if (bytes)
        *bytes = std::move(read);
    return ReadOutcome::Read;
}

namespace {
constexpr qsizetype PieceBytes = qsizetype(1) << 16;
}  // namespace

ReadOutcome SettingsFilePieces::open(const QString& path, QString* error) {
    file_.close();
    error_.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return ReadOutcome::Missing;
    // A directory in the file's place opens on some systems and then fails
    // to read; either way it cannot be read as settings. Unbuffered: the
    // pieces are read straight into piece_.
    file_.setFileName(path);
    if (info.isDir() || !file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (error)
            *error =
                info.isDir() ? QStringLiteral("a folder stands in its place") : file_.errorString();
        return ReadOutcome::Unreadable;
    }
    piece_.resize(PieceBytes);
    // What cannot be read again from its start (a pipe) is kept whole.
    whole_ = file_.isSequential();
    if (whole_)
        piece_ = file_.readAll();
    else
        while (file_.read(piece_.data(), PieceBytes) > 0) {
        }
    if (file_.error() != QFileDevice::NoError || (!whole_ && !file_.seek(0))) {
        if (error)
            *error = file_.errorString();
        file_.close();
        return ReadOutcome::Unreadable;
    }
    if (whole_)
        file_.close();
    return ReadOutcome::Read;
}

QByteArrayView SettingsFilePieces::next() {
    if (whole_) {
        // A pipe's bytes, kept whole, are one piece.
        whole_ = false;
        return piece_;
    }
    if (!file_.isOpen()) {
        piece_ = QByteArray();
        return QByteArrayView();
    }
    piece_.resize(PieceBytes);
    const qint64 read = file_.read(piece_.data(), PieceBytes);
    if (read > 0)
        return QByteArrayView(piece_.constData(), read);
    if (read < 0)
        error_ = file_.errorString();
    file_.close();
    piece_ = QByteArray();
    return QByteArrayView();
}

QString DecodeSettingsBytes(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QString text;
    text.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const qsizetype lineEnd = bytes.indexOf('\n');
        const SettingsLine line(lineEnd < 0 ? bytes : bytes.first(lineEnd + 1));
        bytes = bytes.sliced(line.bytes().size());
        text += line.decode(line.bytes());
    }
    return text;
}

namespace {
// Why a write failed, for the log. Qt says "Unknown error" of a write that
// stopped short (a full disk, a file size limit), so the system's own reason
// for the failing call comes first; without one, what the folder's volume
// shows; Qt's text last.
QString writeFailure(int code, const QString& dir, const QSaveFile& file) {
    if (code != 0)
        return QString::fromLocal8Bit(std::strerror(code));
    const QStorageInfo volume(dir);
    if (volume.isReadOnly())
        return QStringLiteral("the file system is read-only");
    if (volume.isValid() && volume.bytesAvailable() == 0)
        return QStringLiteral("no space left on %1").arg(volume.rootPath());
    if (!QFileInfo(dir).isWritable())
        return QStringLiteral("no permission to write in %1").arg(dir);
    return file.errorString();
}

// A folder removed while the program runs is made again, but only where it
// was: its parent must still be on the volume the file was on. A stick
// pulled out leaves its mount point gone, or empty on another volume, and
// the file would land there.
bool makeFolder(const QString& dir, const QString& volume, QString* error) {
    if (QFileInfo(dir).isDir())
        return true;
    const QString parent = QFileInfo(dir).absolutePath();
    if (!volume.isEmpty() &&
        (!QFileInfo(parent).isDir() || QStorageInfo(parent).rootPath() != volume)) {
        if (error)
            *error = QStringLiteral("its folder %1 is gone from %2").arg(dir, volume);
        return false;
    }
    if (volume.isEmpty() ? QDir().mkpath(dir) : QDir().mkdir(dir))
        return true;
    if (error)
        *error = QStringLiteral("its folder %1 cannot be made").arg(dir);
    return false;
}
}  // namespace

QString VolumeOf(const QString& path) {
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QString();
}

bool WriteSettingsFile(const QString& path, const QByteArray& content, QString* error,
                       const QString& volume) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!makeFolder(dir, volume, error))
        return false;
    QSaveFile file(path);
    // Writing in place could leave half a file behind; better to fail and
    // let the user retry.
    file.setDirectWriteFallback(false);
    // Each step starts with errno cleared, so that only the failing call's
    // reason is reported. Flush before committing: a small file sits in Qt's
    // buffer until then, and a disk that fills during that last write would
    // otherwise still be committed, cut short, over the previous file. A
    // failed file is discarded when it goes out of scope.
    const auto step = [](auto call) {
        errno = 0;
        return call();
    };
    const bool written = step([&] { return file.open(QIODevice::WriteOnly); }) &&
                         step([&] { return file.write(content) == content.size(); }) &&
                         step([&] { return file.flush(); }) && step([&] { return file.commit(); });
    if (!written && error)
        *error = writeFailure(errno, dir, file);
    return written;
}
