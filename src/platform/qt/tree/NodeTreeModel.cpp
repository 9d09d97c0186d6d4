#include "NodeTreeModel.h"

#include "files/PathTexts.h"
#include "platform/qt/QtImageList.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

NodeTreeModel::NodeTreeModel(NodeTree& tree, const QtImageList& images, QObject* parent)
    : QAbstractItemModel(parent), tree_(&tree), images_(images) {
    tree_->SetObserver(this);
}

// The tree must outlive its model: the model unhooks itself here.
NodeTreeModel::~NodeTreeModel() {
    tree_->SetObserver(nullptr);
}

TreeNode* NodeTreeModel::nodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex NodeTreeModel::indexOf(const TreeNode* node) const {
    return node ? createIndex(node->Row(), 0, const_cast<TreeNode*>(node)) : QModelIndex();
}

QModelIndex NodeTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const TreeNode* holder = nodeAt(parent);
    if (parent.isValid() && (!holder || parent.column() != 0))
        return {};
    TreeNode* node = holder ? holder->ChildAt(row) : tree_->TopLevelAt(row);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex NodeTreeModel::parent(const QModelIndex& child) const {
    const TreeNode* node = nodeAt(child);
    return node ? indexOf(node->Parent()) : QModelIndex();
}

int NodeTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return tree_->TopLevelCount();
    return parent.column() == 0 ? nodeAt(parent)->Children() : 0;
}

int NodeTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool NodeTreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant NodeTreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* node = nodeAt(index);
    if (!node)
        return {};
    const bool highlighted = tree_->DropHighlight() == node;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->Text();
    case Qt::DecorationRole: {
        const bool showExpanded = node->Expanded() && !node->ExpandedImage().isEmpty();
        return images_.iconFor(showExpanded ? node->ExpandedImage() : node->Image());
    }
    case DropHighlightRole:
        return highlighted;
    // The drop target is drawn in the selection colours, whether selected or not.
    case Qt::BackgroundRole:
        return highlighted ? QVariant(QGuiApplication::palette().highlight()) : QVariant();
    // A path not found, or unknown, greys its node out.
    case Qt::ForegroundRole:
        if (highlighted)
            return QGuiApplication::palette().highlightedText();
        if (node->PathCheck() != PathStatus::There)
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::ToolTipRole:
        switch (node->PathCheck()) {
        case PathStatus::Missing:
            return PathTexts::notFound(node->Tag());
        case PathStatus::Unanswered:
            return PathTexts::unanswered(node->Tag());
        case PathStatus::There:
            return {};
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags NodeTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                           : Qt::NoItemFlags;
}

bool NodeTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role == Qt::EditRole && nodeAt(index))
        Q_EMIT labelEdited(value.toString());
    return false;
}

void NodeTreeModel::nodeAboutToBeInserted(TreeNode* parent, int row) {
    beginInsertRows(indexOf(parent), row, row);
}

void NodeTreeModel::nodeInserted(TreeNode*) {
    endInsertRows();
}

void NodeTreeModel::nodeAboutToBeRemoved(TreeNode* node) {
    const int row = node->Row();
    beginRemoveRows(indexOf(node->Parent()), row, row);
}

void NodeTreeModel::nodeRemoved() {
    endRemoveRows();
}

void NodeTreeModel::nodeAboutToMove(TreeNode* node, TreeNode* newParent, int newRow) {
    TreeNode* oldParent = node->Parent();
    const int oldRow = node->Row();
    // newRow is where the node will stand once moved. Qt wants the row before
    // which it goes, counted before the move: within one parent, a move down
    // skips the node's own row.
    int destination = newRow;
    if (oldParent == newParent && newRow >= oldRow) {
        const int siblings = newParent ? newParent->Children() : tree_->TopLevelCount();
        destination = std::min(newRow + 1, siblings);
    }
    if (beginMoveRows(indexOf(oldParent), oldRow, oldRow, indexOf(newParent), destination)) {
        pendingMove_ = MoveKind::Move;
    } else {
        // A move Qt cannot express (none arises from the tree's own rules):
        // views start over rather than show a wrong tree.
        beginResetModel();
        pendingMove_ = MoveKind::Reset;
    }
}

void NodeTreeModel::nodeMoved(TreeNode*) {
    const MoveKind kind = std::exchange(pendingMove_, MoveKind::None);
    if (kind == MoveKind::Move)
        endMoveRows();
    else if (kind == MoveKind::Reset)
        endResetModel();
}

void NodeTreeModel::nodeChanged(TreeNode* node, NodeField field) {
    switch (field) {
    case NodeField::Text:
        changed(node, {Qt::DisplayRole, Qt::EditRole});
        break;
    case NodeField::Image:
    case NodeField::ExpandedImage:
        changed(node, {Qt::DecorationRole});
        break;
    case NodeField::Expanded:
        changed(node, {Qt::DecorationRole});
        Q_EMIT nodeExpandedChanged(indexOf(node), node->Expanded());
        break;
    case NodeField::Selected:
        Q_EMIT selectedNodeChanged();
        break;
    case NodeField::DropHighlight:
        changed(node, {DropHighlightRole, Qt::BackgroundRole, Qt::ForegroundRole});
        break;
    case NodeField::PathCheck:
        changed(node, {Qt::ForegroundRole, Qt::ToolTipRole});
        break;
    case NodeField::Tag:
    case NodeField::Key:
        break;  // not shown
    }
}

// A row under a closed folder is on no screen: the view asks for it afresh
// when the folder opens, and telling it of each change would cost a search
// through all the rows it shows, for each of thousands of icons arriving.
void NodeTreeModel::changed(TreeNode* node, const QList<int>& roles) {
    for (const TreeNode* folder = node->Parent(); folder; folder = folder->Parent()) {
        if (!folder->Expanded())
            return;
    }
    const QModelIndex index = indexOf(node);
    Q_EMIT dataChanged(index, index, roles);
}

void NodeTreeModel::treeAboutToBeReset() {
    beginResetModel();
}

void NodeTreeModel::treeReset() {
    endResetModel();
}
