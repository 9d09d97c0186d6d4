#pragma once

#include "platform/DragSource.h"

#include <QObject>
#include <QPointF>
#include <QPointer>

class NodeTreeView;
class TreeDropEvents;
class QDropEvent;

// Turns the window's own drags over the tree widget into the logic's
// drag-over and drop events. Every such drag is taken wherever it points:
// the logic decides what a drop there means. A drop is told once the drag
// has ended, so that the drop menu has the pointer to itself.
class TreeDropController : public QObject {
    Q_OBJECT
public:
    TreeDropController(NodeTreeView& view, TreeDropEvents& events, QObject* parent = nullptr);
    ~TreeDropController() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dragged(QDropEvent* event, int state);
    void report(int state);

    QPointer<QObject> viewport_;
    TreeDropEvents& events_;
    DragSource source_ = DragSource::TreeView;
    QPointF position_;   // where the drag was last seen, in viewport pixels
    bool over_ = false;  // one of ours is over the tree
};
