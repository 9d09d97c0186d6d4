#pragma once

#include "ReadOnlyTree.h"
#include "platform/FilterLinePort.h"
#include "platform/Platform.h"
#include "platform/TreeViewPort.h"

#include <memory>

class NodeTree;
class SettingsSchedule;
class Timer;
class TreeEditing;
class TreeNode;

// The filter over the tree. Ctrl+F or "/" opens a line over the tree, and
// what is typed there keeps in view only the nodes whose label or path holds
// it, with the folders above them, open. It is a way of looking at the tree,
// not a change to it: the nodes' Expanded, the selection and the settings
// file stay as they were, and Escape gives the view back as it was.
//
// While part of the tree is hidden the tree takes no change from the user:
// a node moved, dropped or deleted among rows nobody can see would land
// where nobody looked, and a change taken back there would be as blind.
// Opening nodes goes on as ever.
class TreeFilter : public FilterLineEvents, public ReadOnlyTree {
public:
    struct Parts {
        NodeTree& tree;
        const TreeEditing& editing;
        SettingsSchedule& settings;
    };
    TreeFilter(const Platform& platform, const Parts& parts);
    ~TreeFilter() override;
    TreeFilter(const TreeFilter&) = delete;
    TreeFilter& operator=(const TreeFilter&) = delete;

    void FilterKey_Press() override;
    void FilterLine_Change(const QString& text) override;
    void FilterLine_Escape() override;
    // Escape in the tree: closes the line as Escape in the line does.
    void TreeView_Escape();
    // Closes the line and shows the whole tree again, as Escape does: for
    // whatever is about to show a node where it stands in the tree.
    void End();
    // A large tree is filtered once the typing pauses.
    void FilterTimer_Timer();

    // Whether part of the tree is hidden: the tree then takes no change.
    bool Filtering() const { return filtering_; }
    bool ReadOnly() const override { return filtering_; }
    // The nodes in view while filtering.
    const KeptNodes& Kept() const { return kept_; }

private:
    void filter(const QString& typed);
    void showWholeTree();

    Platform platform_;
    Parts parts_;
    std::unique_ptr<Timer> filterTimer_;
    QString typed_;  // what the line holds
    bool lineShown_ = false;
    bool filtering_ = false;
    KeptNodes kept_;
    // The selected node when the filtering began: one the user chose since
    // is shown where it is in the whole tree.
    const TreeNode* selectedBefore_ = nullptr;
};
