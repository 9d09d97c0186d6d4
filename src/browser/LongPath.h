#pragma once

#include <QString>

// The path with every component spelled as the file system has it: the exact
// name when it exists, else the one case-insensitive match in its directory.
// A path whose component cannot be found comes back unchanged. Repeated and
// trailing separators are dropped; "/" stays "/".
QString LongPath(const QString& path);
