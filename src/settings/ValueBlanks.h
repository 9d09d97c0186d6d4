#pragma once

#include <QChar>
#include <QString>

#include <algorithm>

// A TAB, CR or LF inside a value would split its record or its line and
// shift every field after it, so the writer writes each as a blank. The
// reader takes each for a blank too, before it trims or interprets a value,
// so that a value reads the same before and after a save.
inline bool BreaksRecord(QChar c) {
    return c == u'\t' || c == u'\r' || c == u'\n';
}

inline bool IsValueBlank(QChar c) {
    return c == u' ' || BreaksRecord(c);
}

// The text with each TAB, CR and LF made a blank, as the file keeps it. The
// common case, a text with none, is not copied.
inline QString WithBreaksAsBlanks(QString text) {
    if (std::any_of(text.cbegin(), text.cend(), BreaksRecord))
        std::replace_if(text.begin(), text.end(), BreaksRecord, QChar(u' '));
    return text;
}
