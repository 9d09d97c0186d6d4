#pragma once

#include <QString>

// The reader trims the blanks around every field, so a path that begins or
// ends with a blank (a legal name here) would come back as another path. Such
// a path is written in double quotes, and so is one that itself begins and
// ends with a double quote, so that no path reads back as anything else.
// Every other path is written as it is.
inline bool NeedsQuotes(QStringView path) {
    if (path.isEmpty())
        return false;
    return path.front() == u' ' || path.back() == u' ' ||
           (path.size() >= 2 && path.front() == u'"' && path.back() == u'"');
}

// A path field as read, trimmed: its quotes, if it has them, are taken off.
inline QString UnquotedPath(QString field) {
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        return field.sliced(1, field.size() - 2);
    return field;
}
