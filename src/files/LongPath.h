#pragma once

#include <QString>
#include <QStringList>

// What LongPath asks of the file system. A case-insensitive mount (a FAT
// stick, an SMB share) says yes to any spelling of a name, so whether a name
// exists tells nothing of how it is stored: only the directory's own list
// does.
class FileNames {
public:
    virtual ~FileNames() = default;
    // Whether the path names an entry, under any spelling the file system takes.
    virtual bool exists(const QString& path) const = 0;
    // Whether two spellings name one and the same entry.
    virtual bool sameEntry(const QString& path, const QString& other) const = 0;
    // The names in the directory, as stored.
    virtual QStringList entries(const QString& directory) const = 0;
};

// The path with every component spelled as the file system has it: the
// stored name when it is the one asked for, else the one case-insensitive
// match in its directory. A path whose component cannot be found comes back
// unchanged. Repeated and trailing separators are dropped; "/" stays "/".
QString LongPath(const QString& path);
QString LongPath(const QString& path, const FileNames& names);
