#include "TreeDropController.h"

#include "platform/TreeDropEvents.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/tree/NodeTreeView.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QTimer>

TreeDropController::TreeDropController(NodeTreeView& view, TreeDropEvents& events, QObject* parent)
    : QObject(parent), viewport_(view.viewport()), events_(events) {
    view.viewport()->setAcceptDrops(true);
    viewport_->installEventFilter(this);
}

TreeDropController::~TreeDropController() {
    if (viewport_)
        viewport_->removeEventFilter(this);
}

bool TreeDropController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
        return dragged(static_cast<QDropEvent*>(event), 0);
    case QEvent::DragMove:
        return dragged(static_cast<QDropEvent*>(event), 2);
    case QEvent::DragLeave:
        if (!over_)
            return false;
        over_ = false;
        report(1);
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!ControlDrag::sourceOf(drop->mimeData()))
            return false;
        drop->acceptProposedAction();
        over_ = false;
        position_ = drop->position();
        const TwipsScale scale = TwipsScale::of(qobject_cast<QWidget*>(viewport_.data()));
        const float x = scale.toTwips(position_.x()), y = scale.toTwips(position_.y());
        const DragSource source = source_;
        events_.TreeView_DragRelease(source, x, y);
        QTimer::singleShot(0, this,
                           [this, source, x, y] { events_.TreeView_DragDrop(source, x, y); });
        return true;
    }
    default:
        return false;
    }
}

bool TreeDropController::dragged(QDropEvent* event, int state) {
    const std::optional<DragSource> source = ControlDrag::sourceOf(event->mimeData());
    if (!source)
        return false;  // not one of ours: the desktop's drops are handled apart
    source_ = *source;
    over_ = true;
    position_ = event->position();
    event->acceptProposedAction();
    report(state);
    return true;
}

void TreeDropController::report(int state) {
    const TwipsScale scale = TwipsScale::of(qobject_cast<QWidget*>(viewport_.data()));
    events_.TreeView_DragOver(source_, scale.toTwips(position_.x()), scale.toTwips(position_.y()),
                              state);
}
