#pragma once

#include <QByteArray>
#include <QString>

// Where the settings live: beside the program when its directory is writable
// (portable use), otherwise in the user's configuration directory.
QString ChooseSettingsPath(const QString& programDir, const QString& configDir);

enum class ReadOutcome { Missing, Unreadable, Read };

// Reads and decodes the file: UTF-8 when it is valid UTF-8, otherwise
// Windows-1252 (files of older versions).
ReadOutcome ReadSettingsFile(const QString& path, QString* text);
QString DecodeSettingsBytes(const QByteArray& bytes);

// Replaces the file atomically: on any failure (cannot create, disk full,
// killed midway) the previous file stays whole. Creates the directory.
bool WriteSettingsFile(const QString& path, const QByteArray& content);
