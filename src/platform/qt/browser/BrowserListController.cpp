#include "BrowserListController.h"

#include "platform/TreeViewPort.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/MouseNumbers.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/browser/BrowserListView.h"

#include <QDragEnterEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

BrowserListController::BrowserListController(BrowserListView& view, ListReports reports,
                                             QObject* parent)
    : QObject(parent), view_(view), viewport_(view.viewport()), reports_(std::move(reports)) {
    viewport_->installEventFilter(this);
    view.installEventFilter(this);
    connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { currentRowChanged(current.row()); });
    connect(&view, &QAbstractItemView::doubleClicked, this, [this] {
        if (reports_.dblClick)
            reports_.dblClick();
    });
}

BrowserListController::~BrowserListController() {
    viewport_->removeEventFilter(this);
    view_.removeEventFilter(this);
}

void BrowserListController::showIndex(int index) {
    QItemSelectionModel* selection = view_.selectionModel();
    if (!selection || !view_.model())
        return;
    const QModelIndex row = view_.model()->index(index + chainLength_, 0);
    const bool wasFollowing = std::exchange(following_, true);
    if (row.isValid()) {
        selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        view_.scrollTo(row);
    } else {
        selection->clear();
    }
    following_ = wasFollowing;
}

void BrowserListController::currentRowChanged(int row) {
    if (!following_ && row >= 0 && reports_.click)
        reports_.click(row - chainLength_);
}

bool BrowserListController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason && reports_.gotFocus)
            reports_.gotFocus();
        return event->type() == QEvent::KeyPress && keyEvent(static_cast<QKeyEvent*>(event));
    }
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return mouseEvent(static_cast<QMouseEvent*>(event));
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        dragging_ = ControlDrag::sourceOf(enter->mimeData());
        if (!dragging_) {
            enter->ignore();  // the desktop's drags have nothing to do here
            return true;
        }
        if (reports_.dragOver)
            reports_.dragOver(*dragging_, 0);
        // Taken, so that its moves and its leaving are told too.
        enter->acceptProposedAction();
        return true;
    }
    case QEvent::DragMove:
        if (dragging_ && reports_.dragOver)
            reports_.dragOver(*dragging_, 2);
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::DragLeave:
        if (const std::optional<DragSource> left = std::exchange(dragging_, std::nullopt);
            left && reports_.dragOver)
            reports_.dragOver(*left, 1);
        return true;
    case QEvent::Drop:
        // Dropped on the browser itself: nothing happens.
        dragging_.reset();
        static_cast<QDropEvent*>(event)->ignore();
        return true;
    default:
        return false;
    }
}

bool BrowserListController::mouseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    const TwipsScale scale = TwipsScale::of(&view_);
    const float x = scale.toTwips(pos.x());
    const float y = scale.toTwips(pos.y());
    const int shift = MouseNumbers::shift(event->modifiers());
    switch (event->type()) {
    case QEvent::MouseMove: {
        const int buttons = MouseNumbers::held(event->buttons());
        if (reports_.mouseMove)
            reports_.mouseMove(buttons, shift, x, y);
        return buttons != 0;
    }
    case QEvent::MouseButtonRelease:
        if (reports_.mouseUp)
            reports_.mouseUp(MouseNumbers::button(event->button()), shift, x, y);
        return false;
    default: {  // a press, or the second press of a double click
        const int button = MouseNumbers::button(event->button());
        if (button != 0 && reports_.mouseDown)
            reports_.mouseDown(button, shift, x, y);
        // The view moves the current row on a left press and tells the
        // second one as a double click; other buttons are the logic's.
        return button != ButtonLeft;
    }
    }
}

// Return opens the current entry, as a double click does; the menu key and
// Shift+F10 ask for the list's menu. The rest move about the list.
bool BrowserListController::keyEvent(QKeyEvent* event) {
    const int key = event->key();
    const int shift = MouseNumbers::shift(event->modifiers());
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!view_.currentIndex().isValid())
            return false;
        if (reports_.dblClick)
            reports_.dblClick();
        return true;
    }
    int command = 0;
    if (key == Qt::Key_Menu)
        command = KeyContextMenu;
    else if (key == Qt::Key_F10 && shift == ShiftShift)
        command = KeyF10;
    if (command == 0)
        return false;
    if (reports_.keyDown)
        reports_.keyDown(command, shift);
    return true;
}
