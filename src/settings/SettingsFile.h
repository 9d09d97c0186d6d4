#pragma once

#include <QByteArray>
#include <QString>

// Where the settings live: beside the program when a settings file is already
// there and the directory is writable (portable use, a stick), otherwise in
// the user's configuration directory.
QString ChooseSettingsPath(const QString& programDir, const QString& configDir);

enum class ReadOutcome { Missing, Unreadable, Read };

// Reads the file's bytes, which the reader decodes line by line. error, if
// given, says why a file that is there could not be read.
ReadOutcome ReadSettingsFile(const QString& path, QByteArray* bytes, QString* error = nullptr);
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
