#pragma once

#include <QString>
#include <vector>

// One line of the quick-find pop-up: a quick-list entry or a node of the
// tree with its caption, path and picture (an image key or number of the
// tree's image list), or a line of help that cannot be chosen.
struct QuickFindRow {
    QString caption;
    QString path;
    QString image;
    bool choosable = true;
    friend bool operator==(const QuickFindRow&, const QuickFindRow&) = default;
};

// The quick-find pop-up: a search field above a list, summoned from outside
// the window. It reports what the user types and picks, and shows the rows
// it is given; it keeps no notion of its own of what matches.
class QuickFindPort {
public:
    virtual ~QuickFindPort() = default;
    // Shows the pop-up, or brings it up again, with typed in its field and
    // the keyboard focus there. The activation token, empty when there is
    // none, is what the program that asked for the pop-up passed on, so that
    // the desktop lets it take the focus.
    virtual void show(const QString& typed, const QString& activationToken) = 0;
    // The rows to list under the field, the first one current.
    virtual void setRows(const std::vector<QuickFindRow>& rows) = 0;
    virtual void close() = 0;
};

// What the user does in the quick-find pop-up. Rows are numbered as in the
// last setRows.
class QuickFindEvents {
public:
    virtual ~QuickFindEvents() = default;
    // The text of the search field changed by the user's hand.
    virtual void QuickFind_Change(const QString& typed) = 0;
    // Enter, or a click on a row.
    virtual void QuickFind_Choose(int row) = 0;
    // Ctrl+Enter: the row's node is wanted in the main window.
    virtual void QuickFind_ShowInWindow(int row) = 0;
    // Escape, or the pop-up lost the focus.
    virtual void QuickFind_Dismiss() = 0;
};
