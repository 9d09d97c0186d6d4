#pragma once

#include "ChildList.h"
#include "ImageTexts.h"
#include "NodePool.h"
#include "NodeStrings.h"
#include "Relationship.h"
#include "StringArena.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class NodeTree;

// Which field of a node changed, for whoever mirrors the tree on screen.
enum class NodeField {
    Text,
    Tag,
    Image,
    ExpandedImage,
    Expanded,
    Selected,
    Key,
    DropHighlight,
    PathCheck
};

// What the last look at a node's path found; never saved. A path not yet
// looked at, or one that is not a local file's, counts as there.
enum class PathStatus : std::uint8_t { There, Missing, Unanswered };

// One node of the forest: a folder that groups nodes or an item that points
// at a path. Nodes are owned by their NodeTree; pointers stay valid until the
// node is removed.
class TreeNode {
public:
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    QString Text() const { return strings_.get(NodeStrings::Text); }
    void SetText(const QString& text);
    QString Tag() const { return strings_.get(NodeStrings::Tag); }
    void SetTag(const QString& tag);
    // Both from their UTF-8, which must be valid, as SetText then SetTag.
    void SetTextAndTagUtf8(QByteArrayView text, QByteArrayView tag);
    // The stored UTF-8 of Text and Tag, when they are kept so: what a writer
    // of UTF-8 copies without a conversion. Valid until the node changes.
    std::optional<QByteArrayView> TextUtf8() const { return strings_.utf8(NodeStrings::Text); }
    std::optional<QByteArrayView> TagUtf8() const { return strings_.utf8(NodeStrings::Tag); }
    const QString& Image() const;
    void SetImage(const QString& image);
    const QString& ExpandedImage() const;
    void SetExpandedImage(const QString& image);
    // The numbers the tree gives these texts, the same for the same text
    // while any node shows it: what a writer of many nodes tells them by.
    ImageTexts::Id ImageNumber() const { return image_; }
    ImageTexts::Id ExpandedImageNumber() const { return expandedImage_; }
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool expanded);
    bool Selected() const;
    void SetSelected(bool selected);  // at most one node is selected
    const QString& Key() const;
    bool SetKey(const QString& key);  // fails, changing nothing, when another node has it
    PathStatus PathCheck() const { return pathCheck_; }
    void SetPathCheck(PathStatus status);

    // 1-based position in order of creation among the living nodes.
    int Index() const;

    TreeNode* Parent() const;  // none for a top-level node
    // Moves the node with its subtree to the end of newParent's children (of
    // the top level for nullptr). Fails, changing nothing, for the node
    // itself or a node of its own subtree.
    bool SetParent(TreeNode* newParent);

    TreeNode* Child() const;  // first child
    int Children() const { return children_.size(); }
    TreeNode* Next() const;
    TreeNode* Previous() const;
    TreeNode* FirstSibling() const;
    TreeNode* Root() const;
    QString FullPath() const;  // labels from the top level down, joined by "/"

    bool IsFolder() const;  // Image is "closed" or "open"

    // For views: the position among the siblings and the child at a row.
    int Row() const;
    TreeNode* ChildAt(int row) const;

    NodeTree& Tree() const { return *tree_; }

private:
    friend class NodeTree;
    // Here, so that a reader making a hundred thousand nodes makes each
    // without a call.
    TreeNode(NodeTree* tree, TreeNode* parent, std::uint32_t sequence)
        : tree_(tree), parent_(parent), sequence_(sequence) {}

    // The children, in a block of the tree's arena that none has when there
    // are none: most nodes are items.
    const ChildList& children() const { return children_; }
    void eraseChild(int row);
    void tagChanged();

    NodeTree* tree_;
    TreeNode* parent_;  // the tree's hidden top-level holder for top-level nodes
    ChildList children_;
    mutable int rowHint_ = 0;
    std::uint32_t sequence_;  // creation order, the basis of Index
    NodeStrings strings_;     // Text and Tag
    // Numbers of the tree's shared image texts; nodes share a few images.
    ImageTexts::Id image_ = ImageTexts::Empty, expandedImage_ = ImageTexts::Empty;
    bool expanded_ = false;
    bool keyed_ = false;  // the tree holds the key; few nodes have one
    PathStatus pathCheck_ = PathStatus::There;
};

// Told about every change, so a view adapter can mirror the tree.
class NodeTreeObserver {
public:
    virtual ~NodeTreeObserver() = default;
    virtual void nodeAboutToBeInserted(TreeNode* parent, int row) = 0;  // parent null: top level
    virtual void nodeInserted(TreeNode* node) = 0;
    virtual void nodeAboutToBeRemoved(TreeNode* node) = 0;
    virtual void nodeRemoved() = 0;
    // newRow: the node's row under newParent (null: top level) once moved.
    virtual void nodeAboutToMove(TreeNode* node, TreeNode* newParent, int newRow) = 0;
    virtual void nodeMoved(TreeNode* node) = 0;
    virtual void nodeChanged(TreeNode* node, NodeField field) = 0;
    // Around a bulk change (loading a whole tree): no other notification
    // arrives in between.
    virtual void treeAboutToBeReset() = 0;
    virtual void treeReset() = 0;
};

// Told of every change that a history needs to take back, each with what
// undoing it needs, while the tree is still as it was where that matters.
// Nodes are named by pointer for the moment of the call only: whoever keeps
// a record keeps positions, which stay good when changes are taken back in
// the reverse order they were made.
class NodeTreeJournal {
public:
    virtual ~NodeTreeJournal() = default;
    virtual void nodeInserted(TreeNode* node) = 0;  // after; children come as their own
    virtual void nodeAboutToBeRemoved(TreeNode* node) = 0;
    // After the move; the old parent is null for the top level, oldRow the
    // row the node had there.
    virtual void nodeMoved(TreeNode* node, TreeNode* oldParent, int oldRow) = 0;
    // Before one of the saved fields (Text, Tag, Image, ExpandedImage,
    // Expanded, Key) takes another value.
    virtual void fieldAboutToChange(TreeNode* node, NodeField field) = 0;
};

// The ordered forest of the user's shortcuts, and the only copy of it.
class NodeTree {
public:
    NodeTree();
    ~NodeTree();
    NodeTree(const NodeTree&) = delete;
    NodeTree& operator=(const NodeTree&) = delete;

    // Adds a node placed relative to another (none: end of the top level).
    // The new node is collapsed, unselected, with empty Tag and ExpandedImage.
    // Returns null, adding nothing, when the key is taken or the relative
    // does not exist.
    TreeNode* Add(TreeNode* relative, Relationship relationship, const QString& key,
                  const QString& text, const QString& image);
    TreeNode* Add(int relativeIndex, Relationship relationship, const QString& key,
                  const QString& text, const QString& image);
    TreeNode* Add(const QString& relativeKey, Relationship relationship, const QString& key,
                  const QString& text, const QString& image);

    // Appends a node as the last child of parent (of the top level for
    // null), as a reader builds a tree in file order: the node Add, then
    // SetTextAndTagUtf8 (valid UTF-8 both), SetExpandedImage and SetExpanded
    // would make, in one step that compares nothing with what a new node has
    // not yet. The observer hears of its insertion only, the path watcher
    // of its path. Returns null, adding nothing, for a parent of another tree.
    TreeNode* AppendLoaded(TreeNode* parent, QByteArrayView text, QByteArrayView tag,
                           const QString& image, const QString& expandedImage, bool expanded) {
        return InsertLoaded(parent, (parent ? parent : top_.get())->Children(), text, tag, image,
                            expandedImage, expanded);
    }
    // The same at a given row among parent's children (clamped to them).
    TreeNode* InsertLoaded(TreeNode* parent, int row, QByteArrayView text, QByteArrayView tag,
                           const QString& image, const QString& expandedImage, bool expanded);
    // A reader of many nodes holds each image text once, and gives it to
    // node after node by its number, found without hashing the text; a held
    // number stays valid until let go. The fixed numbers need no holding.
    ImageTexts::Id HoldImage(const QString& image) { return images_.take(image); }
    void LetGoImage(ImageTexts::Id image) { images_.release(image); }
    TreeNode* AppendLoaded(TreeNode* parent, QByteArrayView text, QByteArrayView tag,
                           ImageTexts::Id image, ImageTexts::Id expandedImage, bool expanded);

    // Removes the node with its whole subtree; later Index values shift down.
    void Remove(TreeNode* node);
    void Remove(int index);
    void Remove(const QString& key);

    int Count() const;
    TreeNode* Item(int index) const;  // 1-based; null when out of range
    TreeNode* Item(const QString& key) const;
    // Whether the node is one of this tree's living nodes. Never looks at
    // the node itself, so a pointer kept past its node's removal may be
    // asked; linear in the tree's size.
    bool Holds(const TreeNode* node) const;
    // How many removals the tree has seen: nodes kept since a moment can
    // have gone only when this has changed (see StillInTree).
    std::uint64_t Removals() const { return removals_; }

    // Moves the node with its subtree to stand at row among newParent's
    // children (the top level for null; the row clamped to them), as it
    // will count once moved. Refuses, changing nothing, what SetParent
    // refuses.
    bool Relocate(TreeNode* node, TreeNode* newParent, int row);

    TreeNode* SelectedItem() const { return selected_; }
    void SetSelectedItem(TreeNode* node);  // null clears the selection; shows it again
    // Takes the selection's highlight away while the selected node stays the
    // selected one, as while a drag passes over the tree: only the drop
    // target is drawn highlighted then.
    void HideSelection();
    bool SelectionHidden() const { return selectionHidden_; }
    TreeNode* DropHighlight() const { return dropHighlight_; }
    void SetDropHighlight(TreeNode* node);

    int TopLevelCount() const;
    TreeNode* TopLevelAt(int row) const;
    TreeNode* First() const;  // first top-level node, the start of document order
    // The node after this one in document order (pre-order), or null.
    static TreeNode* NextInDocumentOrder(const TreeNode* node);

    // Brackets a bulk change: observers see one reset instead of many
    // notifications. Nests.
    void BeginBulkChange();
    void EndBulkChange();

    void SetObserver(NodeTreeObserver* observer) { observer_ = observer; }
    // One journal at most, beside the observer; null for none.
    void SetJournal(NodeTreeJournal* journal) { journal_ = journal; }
    // Hears of every node whose path is set to another one.
    void SetPathWatcher(std::function<void(TreeNode*)> watcher) {
        pathWatcher_ = std::move(watcher);
    }

    // Set while the program itself rebuilds or restructures the tree, so
    // that what the view reports meanwhile is not taken for the user's doing.
    bool TreeBusy() const { return busy_ > 0; }

private:
    friend class TreeNode;
    class IndexCounter;

    void notifyChanged(TreeNode* node, NodeField field);
    void aboutToChange(TreeNode* node, NodeField field) {
        if (journal_)
            journal_->fieldAboutToChange(node, field);
    }
    void moveMark(TreeNode*& mark, TreeNode* node, NodeField field);
    TreeNode* insertNode(TreeNode* parent, int row, const QString& key, const QString& text,
                         const QString& image);
    bool canLoadUnder(const TreeNode* parent) const {
        return !parent || (&parent->Tree() == this && parent != top_.get());
    }
    // The node InsertLoaded makes, given the numbers of its images, each
    // taken for it already.
    TreeNode* insertLoaded(TreeNode* parent, int row, QByteArrayView text, QByteArrayView tag,
                           ImageTexts::Id image, ImageTexts::Id expandedImage, bool expanded);
    void destroyNode(TreeNode* node);
    bool moveToEnd(TreeNode* node, TreeNode* newParent);
    bool canHold(const TreeNode* holder, const TreeNode* node) const;
    void forget(TreeNode* node);

    StringArena arena_;              // room for the nodes' strings and child lists; goes last
    NodePool pool_;                  // room for every node but top_
    std::unique_ptr<TreeNode> top_;  // hidden holder of the top-level nodes
    std::unique_ptr<IndexCounter> indexes_;
    ImageTexts images_;
    QHash<QString, TreeNode*> keys_;
    std::unordered_map<const TreeNode*, QString> keyOf_;  // the keyed nodes' keys
    TreeNode* selected_ = nullptr;
    TreeNode* dropHighlight_ = nullptr;
    bool selectionHidden_ = false;
    NodeTreeObserver* observer_ = nullptr;
    NodeTreeJournal* journal_ = nullptr;
    std::function<void(TreeNode*)> pathWatcher_;
    int bulkDepth_ = 0;
    int busy_ = 0;
    std::uint64_t removals_ = 0;
    friend class TreeBusyScope;
};

// Marks the tree busy for the length of a scope. Nests.
class TreeBusyScope {
public:
    explicit TreeBusyScope(NodeTree& tree) : tree_(tree) { ++tree_.busy_; }
    ~TreeBusyScope() { --tree_.busy_; }
    TreeBusyScope(const TreeBusyScope&) = delete;
    TreeBusyScope& operator=(const TreeBusyScope&) = delete;

private:
    NodeTree& tree_;
};

// RAII bracket for NodeTree::BeginBulkChange / EndBulkChange.
class BulkTreeChange {
public:
    explicit BulkTreeChange(NodeTree& tree) : tree_(tree) { tree_.BeginBulkChange(); }
    ~BulkTreeChange() { tree_.EndBulkChange(); }
    BulkTreeChange(const BulkTreeChange&) = delete;
    BulkTreeChange& operator=(const BulkTreeChange&) = delete;

private:
    NodeTree& tree_;
};
