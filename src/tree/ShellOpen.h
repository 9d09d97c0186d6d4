#pragma once

#include "platform/Shell.h"

#include <QString>

class PathChecks;

// Opens a node's path with the desktop's default handler; done hears
// whether it opened. A path is handed over as a file URL, never through a
// shell, so any name opens as the file it names; a path that is not there,
// or that lies on a share that does not answer, fails. A text with a URL
// scheme (https:, mailto:) is handed over as that URL.
void ShellOpen(Shell& shell, PathChecks& checks, const QString& path, Shell::Done done);
