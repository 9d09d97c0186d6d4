#pragma once

#include <QLatin1String>
#include <QStringList>
#include <optional>

// The settings of our own "[Varnel]" section, kept as the lines read so
// that lines of later versions go back as they came. Keys compare without
// regard to case, as the settings file's others do.

// The value of the key's first line, blanks around it taken off; none
// when no line has the key.
std::optional<QString> OwnValue(const QStringList& lines, QLatin1String key);
// Gives the key's first line the value, or adds a line for it at the end.
void SetOwnValue(QStringList& lines, QLatin1String key, const QString& value);
