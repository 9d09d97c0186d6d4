#pragma once

#include <QAccessibleWidget>

class QLabel;

// The path label as a screen reader sees it: called "Path", the path it
// shows as its text. Qt's own interface for a label gives only a name, so
// the path would be lost behind the name that says what the label is for.
class PathLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PathLabelAccessible(QLabel* label);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Makes the label named PathDisp use this interface.
    static void install();

private:
    QString shown() const;
};
