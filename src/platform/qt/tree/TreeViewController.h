#pragma once

#include "platform/TreeViewPort.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>

class NodeTreeModel;
class NodeTreeView;
class TreeNode;
class TreeViewEvents;
class QMouseEvent;

// Keeps the tree widget showing what the NodeTree holds, and turns what the
// user does in it into the logic's events. The tree decides: the view only
// reports a click, a key or the expand mark, and then shows again what the
// tree says, whatever the logic made of it.
class TreeViewController : public QObject {
    Q_OBJECT
public:
    TreeViewController(NodeTreeView& view, NodeTreeModel& model, TreeViewEvents& events,
                       QObject* parent = nullptr);
    ~TreeViewController() override;

    // The node whose picture or label is at the point (viewport pixels).
    TreeNode* nodeAt(const QPoint& viewportPos) const;
    void scrollTo(TreeNode* node);
    int visibleCount() const;
    void editLabel(TreeNode* node);
    // Where a menu for the node opens: below the start of its label.
    QPoint globalPosOf(TreeNode* node) const;
    // Shows only the kept nodes, or the whole tree again for null.
    void showOnly(const KeptNodes* kept);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePressed(QMouseEvent* event);
    bool mouseMoved(QMouseEvent* event);
    bool mouseReleased(QMouseEvent* event);
    void addHistoryKeys();
    void userExpanded(const QModelIndex& index, bool expanded);
    void userMovedCurrent(const QModelIndex& index);
    void showExpansion(const QModelIndex& index, bool expanded);
    void showSelection();
    void showWholeTree();
    void hideAllBut(const KeptNodes& kept);
    void showAllAgain();

    NodeTreeView& view_;
    QPointer<NodeTreeView> viewAlive_;  // the view may be gone first at the end
    const QObject* viewObject_;         // the view, to know its events by address alone
    QObject* viewport_;                 // the view's viewport, whose mouse events are filtered
    NodeTreeModel& model_;
    TreeViewEvents& events_;
    // Set while the view is being made to follow the tree, so that the view's
    // own signals are not taken for the user's doing.
    bool following_ = false;
    bool pressPassedToView_ = false;
    // Set while only the filter's nodes show: the folders open then are
    // the view's own, not the tree's.
    bool filtered_ = false;
    QPoint scrollBeforeFilter_;  // the scroll bars' values, to go back to
    QPersistentModelIndex pressedNode_;
};
