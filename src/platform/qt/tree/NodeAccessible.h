#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPersistentModelIndex>
#include <QPointer>

class NodeTreeView;

// One node of the tree as a screen reader sees it: a tree item named by its
// label, under its folder's item (or the tree), over its own children. It
// follows its node through moves; once the node is gone it is no longer valid.
// Opening and closing a folder and opening a node are offered as actions that
// go through the same paths as the keys.
class NodeAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    NodeAccessible(NodeTreeView* view, const QModelIndex& index);

    const QPersistentModelIndex& index() const { return index_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    // The view, while the node is still in its model.
    NodeTreeView* view() const;
    bool isFolder(const NodeTreeView& view) const;
    // Whether the row is laid out on the screen: no closed folder or
    // filter hides it, and it lies in the scrolled part of the tree.
    bool isShown(const NodeTreeView& view) const;

    QPointer<NodeTreeView> view_;
    QPersistentModelIndex index_;
};
