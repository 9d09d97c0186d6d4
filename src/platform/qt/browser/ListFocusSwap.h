#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// The directory list and the file list take turns in one place. When the
// one that has the keyboard focus is hidden, the focus goes to the one
// shown in its stead, not on through the window to the tree: the keyboard
// stays where the user was, and a screen reader tells of the list shown.
class ListFocusSwap : public QObject {
    Q_OBJECT
public:
    ListFocusSwap(QWidget& first, QWidget& second, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& partnerOf(QObject* list) const;
    void handOver(QWidget& to);

    QWidget& first_;
    QWidget& second_;
    QPointer<QWidget> leaving_;       // the focused list being hidden
    QPointer<QWidget> focusedAfter_;  // where the focus went when it was hidden
};
