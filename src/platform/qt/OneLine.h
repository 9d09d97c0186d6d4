#pragma once

#include <QString>

// A name or a path as a one-line control shows it: control characters (a
// newline in a file name) as their visible pictures. Only for showing: what
// the logic keeps is the text as it is.
QString OneLine(const QString& text);
