#pragma once

#include "model/NodeTree.h"

#include <QAbstractItemModel>

class QtImageList;

// Shows a NodeTree to Qt's item views. The tree stays the only copy of the
// data: each index carries its TreeNode, and every change the tree reports is
// passed on as the matching model signal.
class NodeTreeModel : public QAbstractItemModel, private NodeTreeObserver {
    Q_OBJECT
public:
    // True for the tree's drop-highlighted node.
    static constexpr int DropHighlightRole = Qt::UserRole + 1;

    NodeTreeModel(NodeTree& tree, const QtImageList& images, QObject* parent = nullptr);
    ~NodeTreeModel() override;

    NodeTree& tree() const { return *tree_; }
    TreeNode* nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(const TreeNode* node) const;  // invalid for null

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edited label is not written: the tree decides and changes it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A node's Expanded changed in the tree; views should follow.
    void nodeExpandedChanged(const QModelIndex& index, bool expanded);
    // The tree's selected node changed; views should follow.
    void selectedNodeChanged();
    // The in-place editor was closed on a node's label with this text.
    void labelEdited(const QString& text);

private:
    void nodeAboutToBeInserted(TreeNode* parent, int row) override;
    void nodeInserted(TreeNode* node) override;
    void nodeAboutToBeRemoved(TreeNode* node) override;
    void nodeRemoved() override;
    void nodeAboutToMove(TreeNode* node, TreeNode* newParent, int newRow) override;
    void nodeMoved(TreeNode* node) override;
    void nodeChanged(TreeNode* node, NodeField field) override;
    void treeAboutToBeReset() override;
    void treeReset() override;

    void changed(TreeNode* node, const QList<int>& roles);

    enum class MoveKind { None, Move, Reset };

    NodeTree* tree_;
    const QtImageList& images_;
    MoveKind pendingMove_ = MoveKind::None;
};
