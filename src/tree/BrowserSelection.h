#pragma once

#include <QString>

// What a copy from the browser reads of it: which list shows, and the
// entry that list has highlighted.
class BrowserSelection {
public:
    virtual ~BrowserSelection() = default;
    // True while the directory list shows, false while the file list does.
    virtual bool DirListShowing() const = 0;
    // The full path of the directory list's highlighted entry, in the long
    // form the path label shows it in when the entry is highlighted.
    virtual QString HighlightedDirectory() const = 0;
    // The open directory, a "/" unless it ends with one, and the highlighted
    // file's name.
    virtual QString HighlightedFilePath() const = 0;
};
