#include "LongPath.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {
class DiskNames : public FileNames {
public:
    bool exists(const QString& path) const override {
        return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    }
    bool sameEntry(const QString& path, const QString& other) const override {
        std::error_code error;
        return std::filesystem::equivalent(QFile::encodeName(path).toStdString(),
                                           QFile::encodeName(other).toStdString(), error);
    }
    QStringList entries(const QString& directory) const override {
        return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot);
    }
};

// The name in another case, or the name itself when it has no letter that
// has cases.
QString otherCase(const QString& name) {
    const QString upper = name.toUpper();
    return upper != name ? upper : name.toLower();
}

// The one entry of the directory that matches name ignoring case, preferring
// the exact spelling; empty when there is none or no one.
QString storedSpelling(const FileNames& names, const QString& directory, const QString& name) {
    QString found;
    bool ambiguous = false;
    for (const QString& entry : names.entries(directory)) {
        if (entry == name)
            return entry;
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!found.isEmpty())
            ambiguous = true;
        found = entry;
    }
    return ambiguous ? QString() : found;
}

// The spelling of name inside directory, or an empty string when it has no
// entry of that name, exactly or (uniquely) ignoring case.
QString spellingIn(const FileNames& names, const QString& directory, const QString& name) {
    const QString exact = directory + name;
    if (!names.exists(exact))
        return storedSpelling(names, directory, name);
    // Found as asked. Only a directory that ignores case may store it
    // otherwise, and only there does the name in another case find the very
    // same entry; elsewhere the name needs no listing of its directory.
    const QString other = otherCase(name);
    if (other == name || !names.sameEntry(exact, directory + other))
        return name;
    const QString stored = storedSpelling(names, directory, name);
    return stored.isEmpty() ? name : stored;
}
}  // namespace

QString LongPath(const QString& path) {
    return LongPath(path, DiskNames());
}

QString LongPath(const QString& path, const FileNames& names) {
    if (!path.startsWith(QLatin1Char('/'))) {
        // A relative path has no place to look its components up from.
        return path;
    }
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString result = QStringLiteral("/");
    for (const QString& component : components) {
        if (component == QLatin1String(".") || component == QLatin1String(".."))
            return path;
        const QString spelling = spellingIn(names, result, component);
        if (spelling.isEmpty())
            return path;
        result += spelling;
        result += QLatin1Char('/');
    }
    if (result.size() > 1)
        result.chop(1);
    return result;
}
