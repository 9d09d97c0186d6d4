#include "OwnSettings.h"

#include "SettingsKeys.h"

namespace {
qsizetype lineOf(const QStringList& lines, QLatin1String key) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype separator = line.indexOf(SettingsKeys::KeySeparator);
        if (separator >= 0 &&
            QStringView(line).left(separator).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
}  // namespace

std::optional<QString> OwnValue(const QStringList& lines, QLatin1String key) {
    const qsizetype at = lineOf(lines, key);
    if (at < 0)
        return std::nullopt;
    const QString& line = lines[at];
    return line.mid(line.indexOf(SettingsKeys::KeySeparator) + 1).trimmed();
}

void SetOwnValue(QStringList& lines, QLatin1String key, const QString& value) {
    const QString line = QString(key) + QChar(SettingsKeys::KeySeparator) + value;
    const qsizetype at = lineOf(lines, key);
    if (at < 0)
        lines << line;
    else
        lines[at] = line;
}
