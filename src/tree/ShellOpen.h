#pragma once

#include <QString>

class Shell;

// Opens a node's path with the desktop's default handler, reduced to success
// or failure. A path is handed over as a file URL, never through a shell, so
// any name opens as the file it names; a path that does not exist fails. A
// text with a URL scheme (https:, mailto:) is handed over as that URL.
bool ShellOpen(Shell& shell, const QString& path);
