#pragma once

#include "platform/FilterLinePort.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class QShortcut;
class QWidget;

// The filter line over the tree, and the keys that open it: Ctrl+F anywhere
// in the window, and "/" wherever it types no text (a text field, the
// filter line itself or a label being edited, takes it as text first).
class QtFilterLine : public QObject, public FilterLinePort {
    Q_OBJECT
public:
    QtFilterLine();
    ~QtFilterLine() override;
    QtFilterLine(const QtFilterLine&) = delete;
    QtFilterLine& operator=(const QtFilterLine&) = delete;

    void setEvents(FilterLineEvents* events) { events_ = events; }
    // The line, the window whose keys open it and the tree that has the
    // focus back when it closes; nulls let go.
    void bind(QLineEdit* line, QWidget* window, QWidget* tree);

    void showLine() override;
    void hideLine() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void letGo();

    FilterLineEvents* events_ = nullptr;
    QPointer<QLineEdit> line_;
    QPointer<QWidget> tree_;
    QPointer<QShortcut> findKey_;
    QPointer<QShortcut> slashKey_;
    QPointer<QShortcut> shiftedSlashKey_;
};
