#include "ListFocusSwap.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

ListFocusSwap::ListFocusSwap(QWidget& first, QWidget& second, QObject* parent)
    : QObject(parent), first_(first), second_(second) {
    first.installEventFilter(this);
    second.installEventFilter(this);
}

QWidget& ListFocusSwap::partnerOf(QObject* list) const {
    return list == &first_ ? second_ : first_;
}

// Qt moves the focus of a widget being hidden on to the next one after its
// hide event and before its HideToParent; the list shown in its stead may
// be shown before or after.
bool ListFocusSwap::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &first_ && watched != &second_)
        return false;
    auto* list = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Hide:
        leaving_ = list->hasFocus() ? list : nullptr;
        focusedAfter_ = nullptr;
        break;
    case QEvent::HideToParent:
        if (leaving_ == list) {
            focusedAfter_ = QApplication::focusWidget();
            if (partnerOf(list).isVisible())
                handOver(partnerOf(list));
        }
        break;
    case QEvent::ShowToParent:
        if (leaving_ == &partnerOf(list) && list->isVisible())
            handOver(*list);
        break;
    default:
        break;
    }
    return false;
}

// Only while the focus is still where Qt put it: a user who moved it on
// meanwhile keeps it there.
void ListFocusSwap::handOver(QWidget& to) {
    const bool untouched = QApplication::focusWidget() == focusedAfter_;
    leaving_ = nullptr;
    focusedAfter_ = nullptr;
    if (untouched)
        to.setFocus(Qt::OtherFocusReason);
}
