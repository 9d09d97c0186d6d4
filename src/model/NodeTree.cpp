#include "NodeTree.h"

#include "IndexCounter.h"

#include <algorithm>
#include <climits>
#include <utility>

// Nothing in here recurses: a chain of nodes nested as deep as memory allows
// must still be walked, removed and destroyed without exhausting the stack.

NodeTree::NodeTree()
    : pool_(sizeof(TreeNode), alignof(TreeNode)),
      top_(new TreeNode(this, nullptr, 0)),
      indexes_(std::make_unique<IndexCounter>()) {}

NodeTree::~NodeTree() {
    indexes_->deleteAll();
    top_->children_.clear(arena_);
}

TreeNode* NodeTree::Add(TreeNode* relative, Relationship relationship, const QString& key,
                        const QString& text, const QString& image) {
    if (!key.isEmpty() && keys_.contains(key))
        return nullptr;
    if (!relative)
        return insertNode(top_.get(), TopLevelCount(), key, text, image);
    if (&relative->Tree() != this || relative == top_.get())
        return nullptr;
    TreeNode* siblings = relative->parent_;
    switch (relationship) {
    case tvwFirst:
        return insertNode(siblings, 0, key, text, image);
    case tvwLast:
        return insertNode(siblings, siblings->Children(), key, text, image);
    case tvwNext:
        return insertNode(siblings, relative->Row() + 1, key, text, image);
    case tvwPrevious:
        return insertNode(siblings, relative->Row(), key, text, image);
    case tvwChild:
        return insertNode(relative, relative->Children(), key, text, image);
    }
    return nullptr;  // not one of the five placements
}

// An index or key that names no node is a missing relative, so the add fails
// rather than landing somewhere the caller did not mean; "no relative" is
// spelled with a null node.
TreeNode* NodeTree::Add(int relativeIndex, Relationship relationship, const QString& key,
                        const QString& text, const QString& image) {
    TreeNode* relative = Item(relativeIndex);
    return relative ? Add(relative, relationship, key, text, image) : nullptr;
}

TreeNode* NodeTree::Add(const QString& relativeKey, Relationship relationship, const QString& key,
                        const QString& text, const QString& image) {
    TreeNode* relative = Item(relativeKey);
    return relative ? Add(relative, relationship, key, text, image) : nullptr;
}

TreeNode* NodeTree::insertNode(TreeNode* parent, int row, const QString& key, const QString& text,
                               const QString& image) {
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeAboutToBeInserted(parent == top_.get() ? nullptr : parent, row);
    auto* node = new (pool_.allocate()) TreeNode(this, parent, 0);
    if (!text.isEmpty())  // the reader gives its nodes their text later, as UTF-8
        node->strings_.set(NodeStrings::Text, text, arena_);
    node->image_ = images_.replace(ImageTexts::Empty, image);
    node->rowHint_ = row;
    parent->children_.insert(row, node, arena_);
    node->sequence_ = indexes_->append(node);
    if (!key.isEmpty()) {
        keys_.insert(key, node);
        keyOf_.emplace(node, key);
        node->keyed_ = true;
    }
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeInserted(node);
    if (journal_)
        journal_->nodeInserted(node);
    return node;
}

// Inlined into both loaders below: a reader calls one for every node.
[[gnu::always_inline]] inline TreeNode* NodeTree::insertLoaded(
    TreeNode* parent, int row, QByteArrayView text, QByteArrayView tag, ImageTexts::Id image,
    ImageTexts::Id expandedImage, bool expanded) {
    TreeNode* holder = parent ? parent : top_.get();
    ChildList& siblings = holder->children_;
    row = std::clamp(row, 0, siblings.size());
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeAboutToBeInserted(parent, row);
    auto* node = new (pool_.allocate()) TreeNode(this, holder, 0);
    node->image_ = image;
    node->expandedImage_ = expandedImage;
    node->expanded_ = expanded;
    node->rowHint_ = row;
    if (row == siblings.size())
        siblings.push_back(node, arena_);  // as a reader appends, the common case
    else
        siblings.insert(row, node, arena_);
    node->sequence_ = indexes_->append(node);
    // Once the node is in place, as after Add: it stays there, without its
    // strings, should they find no memory.
    if (!text.isEmpty() || !tag.isEmpty())
        node->strings_.setUtf8(text, tag, arena_);
    // Observers hear of the node once, whole.
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeInserted(node);
    if (journal_)
        journal_->nodeInserted(node);
    if (!tag.isEmpty() && pathWatcher_)
        pathWatcher_(node);
    return node;
}

TreeNode* NodeTree::InsertLoaded(TreeNode* parent, int row, QByteArrayView text, QByteArrayView tag,
                                 const QString& image, const QString& expandedImage,
                                 bool expanded) {
    if (!canLoadUnder(parent))
        return nullptr;
    // Most nodes loaded are items, with no expanded image of their own.
    return insertLoaded(parent, row, text, tag, images_.take(image),
                        expandedImage.isEmpty() ? ImageTexts::Empty : images_.take(expandedImage),
                        expanded);
}

TreeNode* NodeTree::AppendLoaded(TreeNode* parent, QByteArrayView text, QByteArrayView tag,
                                 ImageTexts::Id image, ImageTexts::Id expandedImage,
                                 bool expanded) {
    if (!canLoadUnder(parent))
        return nullptr;
    images_.share(image);
    images_.share(expandedImage);
    return insertLoaded(parent, INT_MAX, text, tag, image, expandedImage, expanded);
}

void NodeTree::Remove(TreeNode* node) {
    if (!node || &node->Tree() != this || node == top_.get())
        return;
    if (journal_)
        journal_->nodeAboutToBeRemoved(node);
    ++removals_;
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeAboutToBeRemoved(node);
    node->parent_->eraseChild(node->Row());

    std::vector<TreeNode*> pending{node};
    while (!pending.empty()) {
        TreeNode* gone = pending.back();
        pending.pop_back();
        const ChildList& children = gone->children();
        pending.insert(pending.end(), children.begin(), children.end());
        forget(gone);
        destroyNode(gone);
    }
    indexes_->compactIfSparse();

    if (bulkDepth_ == 0 && observer_)
        observer_->nodeRemoved();
}

// Drops every reference the tree keeps to a node about to be deleted.
void NodeTree::forget(TreeNode* node) {
    indexes_->release(node->sequence_);
    if (node->keyed_) {
        const auto key = keyOf_.find(node);
        keys_.remove(key->second);
        keyOf_.erase(key);
    }
    if (selected_ == node)
        selected_ = nullptr;
    if (dropHighlight_ == node)
        dropHighlight_ = nullptr;
}

void NodeTree::destroyNode(TreeNode* node) {
    images_.release(node->image_);
    images_.release(node->expandedImage_);
    node->strings_.clear(arena_);
    node->children_.clear(arena_);
    node->~TreeNode();
    pool_.deallocate(node);
}

void NodeTree::Remove(int index) {
    Remove(Item(index));
}

void NodeTree::Remove(const QString& key) {
    Remove(Item(key));
}

int NodeTree::Count() const {
    return indexes_->alive();
}

TreeNode* NodeTree::Item(int index) const {
    return indexes_->nodeAt(index);
}

TreeNode* NodeTree::Item(const QString& key) const {
    return key.isEmpty() ? nullptr : keys_.value(key, nullptr);
}

bool NodeTree::Holds(const TreeNode* node) const {
    return indexes_->holds(node);
}

void NodeTree::SetSelectedItem(TreeNode* node) {
    if (std::exchange(selectionHidden_, false) && node == selected_ && node)
        notifyChanged(node, NodeField::Selected);
    moveMark(selected_, node, NodeField::Selected);
}

void NodeTree::HideSelection() {
    if (!selected_ || selectionHidden_)
        return;
    selectionHidden_ = true;
    notifyChanged(selected_, NodeField::Selected);
}

void NodeTree::SetDropHighlight(TreeNode* node) {
    moveMark(dropHighlight_, node, NodeField::DropHighlight);
}

// The selection and the drop highlight each mark at most one node: moving a
// mark tells the view about the node that lost it and the one that got it.
void NodeTree::moveMark(TreeNode*& mark, TreeNode* node, NodeField field) {
    if (node == mark || (node && &node->Tree() != this))
        return;
    TreeNode* previous = std::exchange(mark, node);
    if (previous)
        notifyChanged(previous, field);
    if (node)
        notifyChanged(node, field);
}

int NodeTree::TopLevelCount() const {
    return top_->Children();
}

TreeNode* NodeTree::TopLevelAt(int row) const {
    return top_->ChildAt(row);
}

TreeNode* NodeTree::First() const {
    return top_->Child();
}

TreeNode* NodeTree::NextInDocumentOrder(const TreeNode* node) {
    if (!node)
        return nullptr;
    if (TreeNode* child = node->Child())
        return child;
    // Climb until the node or an ancestor has a next sibling; the hidden
    // holder of the top level has no parent, which ends the walk.
    for (const TreeNode* current = node; current->parent_; current = current->parent_) {
        if (TreeNode* next = current->Next())
            return next;
    }
    return nullptr;
}

// The holder may take the node: one of this tree's, and not the node or a
// node of its own subtree, which would hang the subtree below itself.
bool NodeTree::canHold(const TreeNode* holder, const TreeNode* node) const {
    if (&holder->Tree() != this || &node->Tree() != this || node == top_.get())
        return false;
    for (const TreeNode* ancestor = holder; ancestor; ancestor = ancestor->parent_) {
        if (ancestor == node)
            return false;
    }
    return true;
}

bool NodeTree::moveToEnd(TreeNode* node, TreeNode* newParent) {
    TreeNode* holder = newParent ? newParent : top_.get();
    if (!canHold(holder, node))
        return false;
    if (node->parent_ == holder && holder->children().back() == node)
        return true;  // already there; views need not hear of it
    return Relocate(node, newParent, holder->Children());
}

bool NodeTree::Relocate(TreeNode* node, TreeNode* newParent, int row) {
    TreeNode* holder = newParent ? newParent : top_.get();
    if (!node || !canHold(holder, node))
        return false;
    TreeNode* const oldHolder = node->parent_;
    const int oldRow = node->Row();
    const int newRow = std::clamp(row, 0, holder->Children() - (oldHolder == holder ? 1 : 0));
    if (oldHolder == holder && oldRow == newRow)
        return true;
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeAboutToMove(node, newParent, newRow);
    oldHolder->eraseChild(oldRow);
    holder->children_.insert(newRow, node, arena_);
    node->parent_ = holder;
    node->rowHint_ = newRow;
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeMoved(node);
    if (journal_)
        journal_->nodeMoved(node, oldHolder == top_.get() ? nullptr : oldHolder, oldRow);
    return true;
}

void NodeTree::BeginBulkChange() {
    if (bulkDepth_++ == 0 && observer_)
        observer_->treeAboutToBeReset();
}

void NodeTree::EndBulkChange() {
    if (bulkDepth_ == 0)
        return;  // unbalanced end: nothing was announced
    if (--bulkDepth_ > 0)
        return;
    indexes_->settle();  // the sums of a run of new nodes, in one pass
    if (observer_)
        observer_->treeReset();
}

void NodeTree::notifyChanged(TreeNode* node, NodeField field) {
    if (bulkDepth_ == 0 && observer_)
        observer_->nodeChanged(node, field);
}
