#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Where the settings live: beside the program when a settings file is already
// there and the directory is writable (portable use, a stick), otherwise in
// the user's configuration directory.
QString ChooseSettingsPath(const QString& programDir, const QString& configDir);

enum class ReadOutcome { Missing, Unreadable, Read };

// Reads the file's bytes, which the reader decodes line by line. error, if
// given, says why a file that is there could not be read.
ReadOutcome ReadSettingsFile(const QString& path, QByteArray* bytes, QString* error = nullptr);
// A settings file read in pieces, so that the whole of it is never held at
// once. Opening reads it through to its end, so that a file that cannot be
// read is found before anything of it is used; then next() gives its bytes
// again from the start, a piece at a time.
class SettingsFilePieces {
public:
    ReadOutcome open(const QString& path, QString* error = nullptr);
    // The next piece, valid until the next call; empty at the end, and
    // after an error.
    QByteArrayView next();
    // Whether reading the pieces failed (the file went bad since it was
    // opened), and why.
    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

private:
    QFile file_;
    QByteArray piece_;
    QString error_;
    bool whole_ = false;  // piece_ holds the whole file, not yet given
};

// The text of a file's bytes as the reader decodes it, line by line (a line
// ends at LF and keeps its CR): a line that is valid UTF-8 is UTF-8, any
// other Windows-1252 (lines of older versions). A UTF-8 byte-order mark at
// the very start is skipped.
QString DecodeSettingsBytes(QByteArrayView bytes);

// Replaces the file atomically: on any failure (cannot create, disk full,
// killed midway) the previous file stays whole. error, if given, says why it
// failed, naming the cause (no space, no permission, a read-only file
// system). A missing folder is made: any that is needed when volume is empty
// (nothing was read yet); once the file was on a volume (its mount point,
// from VolumeOf), only the file's own folder, and only while its parent is
// still on that volume.
bool WriteSettingsFile(const QString& path, const QByteArray& content, QString* error = nullptr,
                       const QString& volume = QString());
// The mount point of the volume a path lies on; empty when there is none.
QString VolumeOf(const QString& path);
