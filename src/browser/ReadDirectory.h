#pragma once

#include <QString>
#include <QStringList>

// What reading one directory found. Blocking: run it away from the
// user-interface thread.
struct DirectoryListing {
    bool readable = false;
    QString path;    // the directory, spelled as the file system has it
    QString volume;  // the root of the mounted volume it lies on
    // Names, sorted, dot entries left out; a name that is not UTF-8 is
    // listed too, as NameFromBytes decodes it (files/NameBytes.h).
    QStringList subdirectories;
    QStringList files;
};

DirectoryListing ReadDirectory(const QString& path);

// The mounted volumes a user keeps files on, ready to be read, by their root
// paths: "/" first, then in order. Blocking, as a mount may not answer.
QStringList ReadVolumes();

// The order of the lists: by letters, whatever their case; names that differ
// in case only keep a fixed order among themselves.
void SortNames(QStringList& names);
