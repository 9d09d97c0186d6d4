#pragma once

#include <QString>

// The filter line of the main window: a one-line text field over the top of
// the tree, shown only while the user narrows the tree down with it.
class FilterLinePort {
public:
    virtual ~FilterLinePort() = default;
    // Shows the line, puts the focus in it and selects what it holds, so
    // that typing starts afresh.
    virtual void showLine() = 0;
    // Empties and hides the line; the focus goes back to the tree.
    virtual void hideLine() = 0;
};

// What the user does with the filter line.
class FilterLineEvents {
public:
    virtual ~FilterLineEvents() = default;
    // Ctrl+F anywhere in the window, or "/" where it types no text.
    virtual void FilterKey_Press() = 0;
    // The user changed the line's text: typed, deleted, pasted.
    virtual void FilterLine_Change(const QString& text) = 0;
    // Escape in the line.
    virtual void FilterLine_Escape() = 0;
};
