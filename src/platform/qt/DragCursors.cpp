#include "DragCursors.h"

#include "ControlDrag.h"

#include <QDrag>

DragCursors::DragCursors(QDrag& drag, const QPixmap& start, bool outside)
    : drag_(drag), start_(start), chosen_(start), outside_(outside) {
    apply();
}

void DragCursors::show(const QPixmap& picture) {
    chosen_ = picture;
    apply();
}

void DragCursors::overWindow(bool ours) {
    ours_ = ours;
    apply();
}

void DragCursors::apply() {
    const bool elsewhere = outside_ && !ours_;
    const QPixmap taken = elsewhere ? start_ : chosen_;
    const QPixmap refused = elsewhere ? ControlDrag::picture(QStringLiteral("nodrop")) : chosen_;
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
        drag_.setDragCursor(taken, action);
    drag_.setDragCursor(refused, Qt::IgnoreAction);
}
