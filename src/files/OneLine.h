#pragma once

#include <QString>

// A name or a path as a one-line control or a message shows it: control
// characters (a newline in a file name) as their visible pictures, and the
// bytes of a name that were not UTF-8 (NameBytes.h) as replacement
// characters, as file managers show them. Only for showing: what the logic
// keeps is the text as it is.
QString OneLine(const QString& text);
