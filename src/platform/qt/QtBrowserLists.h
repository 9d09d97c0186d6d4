#pragma once

#include "platform/BrowserListPorts.h"

#include <QWidget>

// One list of the browser panel. Which list shows is kept while the window
// is not built, and handed to the list's widget when it comes.
template <typename Port>
class QtBrowserList : public Port {
public:
    explicit QtBrowserList(bool visible) : visible_(visible) {}

    // The list's widget; null lets go of it, before the widget goes.
    void bind(QWidget* widget) {
        widget_ = widget;
        if (widget_)
            widget_->setVisible(visible_);
    }
    void setVisible(bool visible) override {
        visible_ = visible;
        if (widget_)
            widget_->setVisible(visible);
    }

private:
    QWidget* widget_ = nullptr;
    bool visible_;
};

// The directory list shows first; the file list shares its place.
using QtDirList = QtBrowserList<DirListPort>;
using QtFileList = QtBrowserList<FileListPort>;
