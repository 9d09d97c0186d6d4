#pragma once

#include <QAccessible>
#include <QHash>
#include <QMetaObject>
#include <QObject>

class NodeTreeView;
class QAbstractItemModel;
class QAccessibleInterface;
class QItemSelection;
class QModelIndex;

// What a screen reader is told of the tree's nodes. Each node it asks for
// gets one interface, kept by the node it stands for, so that its id stays
// the same while the node lives, moves included; a node removed takes its
// interface along, a tree read anew all of them. Changes are told as they
// happen: a folder opened or closed, the current node, the selection, a new
// label, nodes added, moved and removed. Nothing is made or sent while no
// assistive technology listens.
class TreeAccessibility : public QObject {
    Q_OBJECT
public:
    explicit TreeAccessibility(NodeTreeView& view);
    ~TreeAccessibility() override;

    // The node's interface, made at the first asking; null for no node.
    QAccessibleInterface* nodeInterface(const QModelIndex& index);
    QAccessibleInterface* treeInterface() const;
    // The node's index behind an interface of this tree, or an invalid one.
    QModelIndex indexOf(const QAccessibleInterface* node) const;

    // The view's model changed.
    void follow(QAbstractItemModel* model);
    void currentChanged(const QModelIndex& current);
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    // The view took the keyboard focus. The window tells of the tree
    // itself afterwards, so the node is told of once that is done.
    void focusCame();

private:
    void expansionChanged(const QModelIndex& index);
    void rowsInserted(const QModelIndex& parent, int first, int last);
    void rowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
    void rowsMoved(const QModelIndex& from, const QModelIndex& to);
    void labelsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                       const QList<int>& roles);
    void forgetAll();
    void treeReread();
    void tellFocus();
    void tell(const QModelIndex& index, QAccessible::Event type);
    void tellChildrenChanged(const QModelIndex& folder);

    NodeTreeView& view_;
    QAbstractItemModel* model_ = nullptr;
    QList<QMetaObject::Connection> modelConnections_;
    QHash<quintptr, QAccessible::Id> ids_;  // by the index's internal id: its node
};
