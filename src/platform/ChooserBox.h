#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A modal box that offers a list of lines to choose one from, with a button
// that takes the chosen line and "Cancel".
struct ChooserRequest {
    QString title;
    QString prompt;  // a line above the list, saying what choosing does
    QStringList lines;
    QString accept;  // the caption of the button that takes the chosen line
};

// The desktop's box that asks where to save a file.
struct SaveFileRequest {
    QString title;
    QString suggested;  // the full path the box starts at
    QString filter;     // the kinds of files offered, as "Name (*.ext);;..."
};

class ChooserBoxPort {
public:
    virtual ~ChooserBoxPort() = default;
    // The row chosen, or none when the box was cancelled or closed.
    virtual std::optional<int> choose(const ChooserRequest& request) = 0;
    // The file chosen to save to, or none when the box was cancelled.
    virtual std::optional<QString> chooseSaveFile(const SaveFileRequest& request) = 0;
};
