#pragma once

#include <QString>
#include <QStringList>

// Where each mounted file system begins, from the kernel's own list. Read
// without asking any mount anything, so it answers even when one of them
// does not.
QStringList ReadMountPoints();

// The mount point a path lies under, by its text alone: the longest one
// that is the path or a folder above it; "/" when none is.
QString MountOf(const QString& path, const QStringList& mountPoints);
