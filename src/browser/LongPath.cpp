#include "LongPath.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The spelling of name inside directory, or an empty string when it has no
// entry of that name, exactly or (uniquely) ignoring case.
QString spellingIn(const QString& directory, const QString& name) {
    const QString exact = directory + name;
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink())
        return name;
    const QStringList entries = QDir(directory).entryList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::System | QDir::NoDotAndDotDot);
    QString found;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!found.isEmpty())
            return QString();  // ambiguous: no one spelling
        found = entry;
    }
    return found;
}
}  // namespace

QString LongPath(const QString& path) {
    if (!path.startsWith(QLatin1Char('/'))) {
        // A relative path has no place to look its components up from.
        return path;
    }
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString result = QStringLiteral("/");
    for (const QString& component : components) {
        if (component == QLatin1String(".") || component == QLatin1String(".."))
            return path;
        const QString spelling = spellingIn(result, component);
        if (spelling.isEmpty())
            return path;
        result += spelling;
        result += QLatin1Char('/');
    }
    if (result.size() > 1)
        result.chop(1);
    return result;
}
