#pragma once

#include <QObject>
#include <QPointer>

class NodeTreeView;
class ShellDropEvents;
struct ShellDropData;
class QDropEvent;

// Turns drags from the desktop and other programs over the tree widget into
// the logic's shell drag-over and drop events: the list of files as local
// paths, a browser's links as web addresses with their titles, and whether
// the source lets them be copied. The logic says whether
// it takes them; a refused drag is ignored, so the pointer shows no drop.
// The window's own drags are left to the TreeDropController.
class ShellDropController : public QObject {
    Q_OBJECT
public:
    ShellDropController(NodeTreeView& view, ShellDropEvents& events, QObject* parent = nullptr);
    ~ShellDropController() override;

    // What the tree is offered by the drag's data and the actions the
    // source allows; the titles of web addresses only when asked for (at
    // the drop: a drag that passes over needs none).
    static ShellDropData decode(const QDropEvent& event, bool withTitles = true);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dragged(QDropEvent* event);
    bool dropped(QDropEvent* event);
    // Copy whatever the source proposes: a move would take the files away
    // from where the source keeps them.
    static void acceptCopy(QDropEvent* event);

    QPointer<QObject> viewport_;
    ShellDropEvents& events_;
    bool accepted_ = false;  // the logic took the drag where it was last seen
};
