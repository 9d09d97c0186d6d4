#pragma once

#include <QByteArrayView>
#include <QString>

// The reader trims the blanks around every field, so a path that begins or
// ends with a blank (a legal name here) would come back as another path. Such
// a path is written in double quotes, and so is one that itself begins and
// ends with a double quote, so that no path reads back as anything else.
// Every other path is written as it is.
//
// Whether a path, as written in UTF-8, needs them: a blank or a double
// quote is a byte of its own there, and the first and last bytes are those
// of the first and last characters.
inline bool NeedsQuotes(QByteArrayView path) {
    if (path.isEmpty())
        return false;
    return path.front() == ' ' || path.back() == ' ' ||
           (path.size() >= 2 && path.front() == '"' && path.back() == '"');
}

// A path field as read, trimmed: its quotes, if it has them, are taken off.
inline QString UnquotedPath(QString field) {
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        return field.sliced(1, field.size() - 2);
    return field;
}

// The same for a field's UTF-8, where a double quote is a byte of its own.
inline QByteArrayView UnquotedPath(QByteArrayView field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return field.sliced(1, field.size() - 2);
    return field;
}
