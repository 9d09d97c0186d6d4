#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QPoint>

class MainWindowEvents;
class NodeTreeModel;
class NodeTreeView;
class TreeNode;
class QMouseEvent;

// Keeps the tree widget and the NodeTree in step and turns what the user does
// in the tree into the logic's events. The model decides: selection and
// expansion in the view follow the tree, and the user's own changes in the
// view are written into the tree before the logic hears of them.
class TreeViewController : public QObject {
    Q_OBJECT
public:
    explicit TreeViewController(NodeTreeView& view, QObject* parent = nullptr);

    // Shows the model in the view and delivers the tree's events; null for
    // either ends that part of the connection.
    void attach(NodeTreeModel* model, MainWindowEvents* events);

    // The node whose picture or label is at the point (viewport pixels).
    TreeNode* nodeAt(const QPoint& viewportPos) const;
    void ensureVisible(TreeNode* node);
    int visibleCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePressed(QMouseEvent* event);
    bool mouseReleased(QMouseEvent* event);
    void userExpanded(const QModelIndex& index, bool expanded);
    void userMovedCurrent(const QModelIndex& index);
    void showExpansion(const QModelIndex& index, bool expanded);
    void showSelection();
    void showWholeTree();

    NodeTreeView& view_;
    QObject* viewport_;  // the view's viewport, whose mouse events are filtered
    NodeTreeModel* model_ = nullptr;
    MainWindowEvents* events_ = nullptr;
    // Set while the view is being made to follow the tree, so that the view's
    // own signals are not taken for the user's doing.
    bool following_ = false;
    bool pressPassedToView_ = false;
    QPersistentModelIndex pressedNode_;
};
