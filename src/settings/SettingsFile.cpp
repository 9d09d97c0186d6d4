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

ReadOutcome ReadSettingsFile(const QString& path, QString* text, QString* error) {
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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return ReadOutcome::Unreadable;
    }
    if (text)
        *text = DecodeSettingsBytes(bytes);
    return ReadOutcome::Read;
}

QString DecodeSettingsBytes(const QByteArray& bytes) {
    QByteArrayView rest(bytes);
    // A byte-order mark that another editor put at the start says nothing
    // more; anywhere else it is text like any other.
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    // Each line is decided on its own, so that one line of an older version
    // (or one stray byte) does not garble the UTF-8 of all the others.
    // Stateless: a sequence cut off at the end of a line makes that line
    // Windows-1252 instead of running on into the next one.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    // Neither encoding makes more than one UTF-16 unit of a byte.
    QString text(rest.size(), Qt::Uninitialized);
    QChar* out = utf8.appendToBuffer(text.data(), rest);
    if (!utf8.hasError()) {
        // The usual case, in one go: decoding line by line costs a call per line.
        text.truncate(out - text.constData());
        return text;
    }
    utf8.resetState();
    out = text.data();
    while (!rest.isEmpty()) {
        const qsizetype lineEnd = rest.indexOf('\n');
        const QByteArrayView line = lineEnd < 0 ? rest : rest.first(lineEnd + 1);
        rest = rest.sliced(line.size());
        QChar* const lineStart = out;
        out = utf8.appendToBuffer(out, line);
        if (utf8.hasError()) {
            utf8.resetState();
            out = DecodeCp1252(line, lineStart);
        }
    }
    text.truncate(out - text.constData());
    return text;
}

bool WriteSettingsFile(const QString& path, const QByteArray& content, QString* error) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = QStringLiteral("its folder %1 cannot be made").arg(dir);
        return false;
    }
    QSaveFile file(path);
    // Writing in place could leave half a file behind; better to fail and
    // let the user retry.
    file.setDirectWriteFallback(false);
    // Flush before committing: a small file sits in Qt's buffer until then,
    // and a disk that fills during that last write would otherwise still be
    // committed, cut short, over the previous file. A failed file is
    // discarded when it goes out of scope.
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush() &&
        file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
