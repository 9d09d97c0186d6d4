#pragma once

#include "NodeTree.h"
#include "QuickEntry.h"
#include "TreeChanges.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>

// The quick list as the history sees it: read whole at a step's start and
// end, and put back whole.
class QuickListState {
public:
    virtual ~QuickListState() = default;
    virtual const QuickEntries& QuickEntriesNow() const = 0;
    virtual void RestoreQuickEntries(const QuickEntries& entries) = 0;
};

// The user's changes to the tree and the quick list, as steps that can be
// taken back and made again. Only what happens while a Step is open is
// recorded, as one step under its caption; a step in which nothing changed
// is no step. The tree tells its changes through its journal, so every
// handler's change is heard whatever primitive it used.
class TreeHistory : private NodeTreeJournal {
public:
    static constexpr int Limit = 100;  // steps kept; the oldest go first

    TreeHistory(NodeTree& tree, QuickListState& quickList);
    ~TreeHistory() override;
    TreeHistory(const TreeHistory&) = delete;
    TreeHistory& operator=(const TreeHistory&) = delete;

    // Records what changes in its scope as one step. Steps opened inside an
    // open one are part of it; the outermost one's caption stands.
    class Step {
    public:
        Step(TreeHistory& history, const QString& caption);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        TreeHistory& history_;
    };

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The caption of the step Undo or Redo would take; empty for none.
    QString UndoCaption() const { return CanUndo() ? steps_[done_ - 1].caption : QString(); }
    QString RedoCaption() const { return CanRedo() ? steps_[done_].caption : QString(); }
    int StepCount() const { return int(steps_.size()); }
    // What the kept steps hold in memory, near enough.
    std::size_t Bytes() const;

    // Takes the last step back, or makes the last one taken back again; the
    // node selected before, or after, that step is selected again and
    // returned (null for none). Each node put back into the tree is passed
    // to restored. Nothing happens, and null comes back, without a step.
    TreeNode* Undo(const std::function<void(TreeNode*)>& restored = {});
    TreeNode* Redo(const std::function<void(TreeNode*)>& restored = {});

    // Forgets every step: the tree is no longer the one they were made in.
    void Clear();

    // Hears of every node inserted, in a step or outside one (the settings
    // read in, a step taken back); none for nobody.
    void SetInsertWatcher(std::function<void()> watcher) { insertWatcher_ = std::move(watcher); }

private:
    struct Recorded {
        QString caption;
        TreeChanges changes;  // the undo while done, the redo once taken back
        std::optional<TreePosition> selectedBefore, selectedAfter;
        QuickEntries quickBefore, quickAfter;
        bool quickChanged = false;
    };
    struct Open {
        QString caption;
        TreeChanges changes;
        std::optional<TreePosition> selected;
        QuickEntries quick;
    };

    void begin(const QString& caption);
    void end();
    TreeNode* takeBack(Recorded& step, bool undo, const std::function<void(TreeNode*)>& restored);
    std::optional<TreePosition> selectedPosition() const;

    void nodeInserted(TreeNode* node) override;
    void nodeAboutToBeRemoved(TreeNode* node) override;
    void nodeMoved(TreeNode* node, TreeNode* oldParent, int oldRow) override;
    void fieldAboutToChange(TreeNode* node, NodeField field) override;
    void outsideStep();

    NodeTree& tree_;
    QuickListState& quickList_;
    std::deque<Recorded> steps_;
    std::size_t done_ = 0;  // the steps before this one are done, the rest taken back
    int depth_ = 0;         // open Step scopes
    std::optional<Open> open_;
    bool reverting_ = false;
    std::function<void()> insertWatcher_;
};
