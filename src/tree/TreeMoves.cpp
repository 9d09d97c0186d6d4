#include "TreeMoves.h"

#include "DragStates.h"
#include "model/NodeTree.h"
#include "platform/MessageBoxes.h"

#include <vector>

namespace {
// The dragged node while it is given a new parent.
QString insideMarker() {
    return QStringLiteral("~Wendrath-In~");
}
// The drop target while an item is removed before its copy is placed by it.
QString targetMarker() {
    return QStringLiteral("~Wendrath-Add~");
}
// The dragged folder, until its children have moved to the copy.
QString draggedFolderMarker() {
    return QStringLiteral("~Wendrath-Del~");
}
// The destination folder while one item child is re-created in it.
QString destinationMarker() {
    return QStringLiteral("~Wendrath~");
}
// A folder inside the moving subtree while its own children move; one
// marker per level, so nested levels never share one.
QString nestedFolderMarker(int depth) {
    return QStringLiteral("~Wendrath-Del") + QString::number(depth) + QLatin1Char('~');
}

// Moved by re-creating it with its subtree, as a folder is. An item is
// simply re-created, but one that the settings file gave children of its
// own keeps them too.
bool movesWithSubtree(const TreeNode* node) {
    return node->IsFolder() || node->Children() > 0;
}
}  // namespace

TreeMoves::TreeMoves(MessageBoxes& messages, NodeTree& tree, const DragStates& drags)
    : messages_(messages), tree_(tree), drags_(drags) {}

bool TreeMoves::IsIllegalDrop() {
    TreeNode* dragged = drags_.DragNode();
    TreeNode* target = tree_.DropHighlight();
    if (!dragged || !target || !movesWithSubtree(dragged))
        return false;
    // From the target's parent up: placing a folder beside itself or beside
    // its own parent is fine, beside anything below it is not.
    for (TreeNode* ancestor = target->Parent(); ancestor; ancestor = ancestor->Parent()) {
        if (ancestor == dragged) {
            tellIllegalDrop();
            tree_.SetDropHighlight(dragged);
            tree_.SetSelectedItem(dragged);
            return true;
        }
    }
    return false;
}

void TreeMoves::MoveNode(Relationship relationship) {
    TreeNode* dragged = drags_.DragNode();
    TreeNode* target = tree_.DropHighlight();
    // An item dropped on itself would be removed before its copy could be
    // placed by it.
    if (!dragged || !target || dragged == target)
        return;
    TreeBusyScope busy(tree_);
    TreeNode* oldParent = dragged->Parent();
    TreeNode* copy = nullptr;
    if (movesWithSubtree(dragged)) {
        // Views hear of the move as one new tree, not as an insertion and a
        // removal per node: Qt's views pay for each of those in proportion
        // to the rows they keep expanded, which makes a big subtree cost the
        // square of its size, while a reset costs one pass over the tree.
        BulkTreeChange oneReset(tree_);
        copy = copyFolder(dragged, target, draggedFolderMarker(), relationship);
        moveDepth_ = 0;
        MoveChildren(dragged, copy);
        tree_.Remove(draggedFolderMarker());
    } else {
        copy = copyItem(dragged, target, targetMarker(), relationship);
    }
    tree_.SetSelectedItem(copy);
    tree_.SetDropHighlight(copy);
    if (oldParent)
        oldParent->SetExpanded(oldParent->Children() > 0);
}

// Level by level with a stack of its own rather than by recursion, so that a
// chain of folders as deep as memory allows moves without exhausting the
// stack; the effects come in the order a recursion would give them.
void TreeMoves::MoveChildren(TreeNode* source, TreeNode* destination) {
    struct Level {
        TreeNode* source;
        TreeNode* destination;
    };
    std::vector<Level> levels{{source, destination}};
    ++moveDepth_;
    while (!levels.empty()) {
        const Level level = levels.back();
        // The first remaining child, appended as the last one: the order of
        // the children stays as it was.
        TreeNode* child = level.source->Child();
        if (!child) {
            levels.pop_back();
            --moveDepth_;
            // The folder whose children have all gone goes too.
            if (!levels.empty())
                tree_.Remove(nestedFolderMarker(moveDepth_));
        } else if (movesWithSubtree(child)) {
            TreeNode* copy =
                copyFolder(child, level.destination, nestedFolderMarker(moveDepth_), tvwChild);
            levels.push_back({child, copy});
            ++moveDepth_;
        } else {
            copyItem(child, level.destination, destinationMarker(), tvwChild);
        }
    }
}

// The item goes before its copy comes, and its removal shifts the Index of
// every later node: the anchor is found again by a marker key instead.
TreeNode* TreeMoves::copyItem(TreeNode* item, TreeNode* anchor, const QString& marker,
                              Relationship relationship) {
    const QString key = item->Key();
    const QString text = item->Text();
    const QString image = item->Image();
    const QString tag = item->Tag();
    const QString expandedImage = item->ExpandedImage();
    const QString anchorKey = anchor->Key();
    anchor->SetKey(marker);
    tree_.Remove(item);
    TreeNode* copy = tree_.Add(marker, relationship, key, text, image);
    anchor->SetKey(anchorKey);
    copy->SetTag(tag);
    copy->SetExpandedImage(expandedImage);
    return copy;
}

// The copy comes first and takes the folder's own key, which the marker
// frees; the marker finds the folder again for its removal once its
// children have moved.
TreeNode* TreeMoves::copyFolder(TreeNode* folder, TreeNode* anchor, const QString& marker,
                                Relationship relationship) {
    const QString key = folder->Key();
    folder->SetKey(marker);
    TreeNode* copy = tree_.Add(anchor, relationship, key, folder->Text(), folder->Image());
    copy->SetTag(folder->Tag());
    copy->SetExpandedImage(folder->ExpandedImage());
    copy->SetExpanded(folder->Expanded());
    return copy;
}

void TreeMoves::MoveInside() {
    TreeNode* dragged = drags_.DragNode();
    TreeNode* target = tree_.DropHighlight();
    if (!dragged || !target)
        return;
    TreeBusyScope busy(tree_);
    TreeNode* oldParent = dragged->Parent();
    const QString key = dragged->Key();
    dragged->SetKey(insideMarker());
    if (!dragged->SetParent(target)) {
        tellIllegalDrop();
        dragged->SetKey(key);
        return;
    }
    dragged->SetKey(key);
    if (oldParent)
        oldParent->SetExpanded(oldParent->Children() > 0);
    tree_.SetDropHighlight(dragged);
    tree_.SetSelectedItem(dragged);
}

void TreeMoves::tellIllegalDrop() {
    messages_.show(QStringLiteral("The Parent folder can't be made a child of its own."),
                   QStringLiteral("Illegal Drop"), MsgButtons::Ok, MsgIcon::Exclamation);
}
