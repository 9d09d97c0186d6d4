#include "TreeChanges.h"

#include <algorithm>
#include <utility>

TreePosition PositionOf(const TreeNode* node) {
    TreePosition position;
    for (; node; node = node->Parent())
        position.push_back(node->Row());
    std::reverse(position.begin(), position.end());
    return position;
}

TreeNode* NodeAt(const NodeTree& tree, const TreePosition& position) {
    if (position.empty())
        return nullptr;
    TreeNode* node = tree.TopLevelAt(position.front());
    for (std::size_t level = 1; node && level < position.size(); ++level)
        node = node->ChildAt(position[level]);
    return node;
}

namespace {
QString textOf(const TreeNode& node, NodeField field) {
    switch (field) {
    case NodeField::Text:
        return node.Text();
    case NodeField::Tag:
        return node.Tag();
    case NodeField::Image:
        return node.Image();
    case NodeField::ExpandedImage:
        return node.ExpandedImage();
    case NodeField::Key:
        return node.Key();
    default:
        return {};
    }
}

void setField(TreeNode& node, NodeField field, const QString& text, bool flag) {
    switch (field) {
    case NodeField::Text:
        node.SetText(text);
        break;
    case NodeField::Tag:
        node.SetTag(text);
        break;
    case NodeField::Image:
        node.SetImage(text);
        break;
    case NodeField::ExpandedImage:
        node.SetExpandedImage(text);
        break;
    case NodeField::Expanded:
        node.SetExpanded(flag);
        break;
    case NodeField::Key:
        node.SetKey(text);  // a key another node took since stays with it
        break;
    default:
        break;
    }
}

bool isSavedField(NodeField field) {
    switch (field) {
    case NodeField::Text:
    case NodeField::Tag:
    case NodeField::Image:
    case NodeField::ExpandedImage:
    case NodeField::Expanded:
    case NodeField::Key:
        return true;
    default:
        return false;
    }
}
}  // namespace

void TreeChanges::record(Change change) {
    changes_.push_back(std::move(change));
    insertedChain_.clear();
}

void TreeChanges::Inserted(const TreeNode* node) {
    ++nodes_;
    while (!insertedChain_.empty() && insertedChain_.back() != node->Parent())
        insertedChain_.pop_back();
    if (!insertedChain_.empty()) {
        insertedChain_.push_back(node);
        return;
    }
    Change change(Change::Kind::Inserted);
    change.at = PositionOf(node);
    record(std::move(change));
    insertedChain_.push_back(node);
}

void TreeChanges::AboutToBeRemoved(const TreeNode* node) {
    Change change(Change::Kind::Removed);
    change.removed = std::make_shared<const SubtreeSnapshot>(*node);
    nodes_ += std::size_t(change.removed->Count());
    change.row = node->Row();
    change.at = PositionOf(node->Parent());
    record(std::move(change));
}

void TreeChanges::Moved(const TreeNode* node, const TreeNode* oldParent, int oldRow) {
    ++nodes_;
    Change change(Change::Kind::Moved);
    change.row = oldRow;
    change.at = PositionOf(node);
    change.from = PositionOf(oldParent);
    record(std::move(change));
}

void TreeChanges::AboutToChange(const TreeNode* node, NodeField field) {
    if (!isSavedField(field))
        return;
    ++nodes_;
    Change change(Change::Kind::Field);
    change.field = field;
    change.flag = node->Expanded();
    change.at = PositionOf(node);
    change.text = textOf(*node, field);
    record(std::move(change));
}

TreeChanges TreeChanges::Revert(NodeTree& tree,
                                const std::function<void(TreeNode*)>& restored) const {
    TreeChanges back;
    back.changes_.reserve(changes_.size());
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        switch (change->kind) {
        case Change::Kind::Inserted:
            if (TreeNode* node = NodeAt(tree, change->at)) {
                back.AboutToBeRemoved(node);
                tree.Remove(node);
            }
            break;
        case Change::Kind::Removed: {
            TreeNode* parent = NodeAt(tree, change->at);
            if (!change->at.empty() && !parent)
                break;  // the tree is not the one the change was made in
            if (TreeNode* root = change->removed->RestoreInto(tree, parent, change->row, restored))
                back.Inserted(root);
            break;
        }
        case Change::Kind::Moved: {
            TreeNode* node = NodeAt(tree, change->at);
            TreeNode* oldParent = NodeAt(tree, change->from);
            if (!node || (!change->from.empty() && !oldParent))
                break;
            TreeNode* parent = node->Parent();
            const int row = node->Row();
            if (tree.Relocate(node, oldParent, change->row))
                back.Moved(node, parent, row);
            break;
        }
        case Change::Kind::Field:
            if (TreeNode* node = NodeAt(tree, change->at)) {
                back.AboutToChange(node, change->field);
                setField(*node, change->field, change->text, change->flag);
            }
            break;
        }
    }
    return back;
}

std::size_t TreeChanges::Bytes() const {
    std::size_t bytes = sizeof *this + changes_.capacity() * sizeof(Change);
    for (const Change& change : changes_) {
        bytes += (change.at.capacity() + change.from.capacity()) * sizeof(int);
        bytes += std::size_t(change.text.capacity()) * 2;
        if (change.removed)
            bytes += change.removed->Bytes();
    }
    return bytes;
}
