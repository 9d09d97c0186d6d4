#include "TreeHistory.h"

#include <utility>

TreeHistory::TreeHistory(NodeTree& tree, QuickListState& quickList)
    : tree_(tree), quickList_(quickList) {
    tree_.SetJournal(this);
}

TreeHistory::~TreeHistory() {
    tree_.SetJournal(nullptr);
}

TreeHistory::Step::Step(TreeHistory& history, const QString& caption) : history_(history) {
    history_.begin(caption);
}

TreeHistory::Step::~Step() {
    history_.end();
}

std::optional<TreePosition> TreeHistory::selectedPosition() const {
    if (const TreeNode* selected = tree_.SelectedItem())
        return PositionOf(selected);
    return std::nullopt;
}

void TreeHistory::begin(const QString& caption) {
    if (depth_++ > 0)
        return;
    open_.emplace(Open{caption, {}, selectedPosition(), quickList_.QuickEntriesNow()});
}

void TreeHistory::end() {
    if (depth_ == 0 || --depth_ > 0)
        return;
    Open open = std::move(*open_);
    open_.reset();
    const QuickEntries& quickNow = quickList_.QuickEntriesNow();
    const bool quickChanged = quickNow != open.quick;
    if (open.changes.Empty() && !quickChanged)
        return;  // nothing changed: no step to take back
    // A new step leaves nothing to make again: the steps taken back were
    // taken back from another tree than the one that is now.
    steps_.erase(steps_.begin() + std::ptrdiff_t(done_), steps_.end());
    Recorded step{std::move(open.caption),
                  std::move(open.changes),
                  std::move(open.selected),
                  selectedPosition(),
                  {},
                  {},
                  quickChanged};
    if (quickChanged) {
        step.quickBefore = std::move(open.quick);
        step.quickAfter = quickNow;
    }
    steps_.push_back(std::move(step));
    if (steps_.size() > std::size_t(Limit))
        steps_.pop_front();
    done_ = steps_.size();
}

TreeNode* TreeHistory::Undo(const std::function<void(TreeNode*)>& restored) {
    if (!CanUndo() || open_)
        return nullptr;
    --done_;
    return takeBack(steps_[done_], true, restored);
}

TreeNode* TreeHistory::Redo(const std::function<void(TreeNode*)>& restored) {
    if (!CanRedo() || open_)
        return nullptr;
    ++done_;
    return takeBack(steps_[done_ - 1], false, restored);
}

TreeNode* TreeHistory::takeBack(Recorded& step, bool undo,
                                const std::function<void(TreeNode*)>& restored) {
    {
        const bool wasReverting = std::exchange(reverting_, true);
        // While the program itself puts the tree back, what the view
        // reports of it is not the user's doing.
        TreeBusyScope busy(tree_);
        // Many nodes come back to the view as one new tree rather than one
        // insertion each.
        std::optional<BulkTreeChange> oneReset;
        if (step.changes.Nodes() > 64)
            oneReset.emplace(tree_);
        step.changes = step.changes.Revert(tree_, restored);
        reverting_ = wasReverting;
    }
    if (step.quickChanged)
        quickList_.RestoreQuickEntries(undo ? step.quickBefore : step.quickAfter);
    const std::optional<TreePosition>& selected = undo ? step.selectedBefore : step.selectedAfter;
    TreeNode* node = selected ? NodeAt(tree_, *selected) : nullptr;
    tree_.SetSelectedItem(node);
    tree_.SetDropHighlight(node);
    return node;
}

void TreeHistory::Clear() {
    steps_.clear();
    done_ = 0;
}

std::size_t TreeHistory::Bytes() const {
    std::size_t bytes = sizeof *this;
    for (const Recorded& step : steps_) {
        bytes += sizeof step + step.changes.Bytes();
        for (const QuickEntries* quick : {&step.quickBefore, &step.quickAfter})
            for (const QuickEntry& entry : *quick)
                bytes += sizeof entry + std::size_t(entry.caption.size() + entry.path.size()) * 2;
    }
    return bytes;
}

// A change to the tree's shape made outside any step (the settings read
// in, or a part of the program that keeps no history) moves nodes from the
// positions the steps name: taking those steps back would change nodes
// other than the ones they changed. So they are forgotten. A field changed
// outside a step (an icon found, a node expanded by hand) moves nothing.
void TreeHistory::outsideStep() {
    if (!reverting_)
        Clear();
}

void TreeHistory::nodeInserted(TreeNode* node) {
    if (open_ && !reverting_)
        open_->changes.Inserted(node);
    else
        outsideStep();
    // Called on a copy: the watcher may let itself go.
    if (insertWatcher_) {
        const std::function<void()> watcher = insertWatcher_;
        watcher();
    }
}

void TreeHistory::nodeAboutToBeRemoved(TreeNode* node) {
    if (open_ && !reverting_)
        open_->changes.AboutToBeRemoved(node);
    else
        outsideStep();
}

void TreeHistory::nodeMoved(TreeNode* node, TreeNode* oldParent, int oldRow) {
    if (open_ && !reverting_)
        open_->changes.Moved(node, oldParent, oldRow);
    else
        outsideStep();
}

void TreeHistory::fieldAboutToChange(TreeNode* node, NodeField field) {
    if (open_ && !reverting_)
        open_->changes.AboutToChange(node, field);
}
