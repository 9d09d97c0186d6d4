#pragma once

#include "model/Relationship.h"
#include "platform/Platform.h"

#include <QString>
#include <functional>
#include <optional>

class NodeTree;
class QuickListLink;
class SettingsSchedule;
class TreeHistory;
class TreeNode;

// Making, naming, re-pointing and deleting nodes by hand.
class TreeEditing {
public:
    TreeEditing(const Platform& platform, NodeTree& tree, TreeHistory& history,
                SettingsSchedule& settings, QuickListLink& quickList,
                std::function<std::optional<QString>()> highlightedDirectory);

    void AddNewNode(Relationship relationship, bool item);
    void tvRename_Click();
    void tvModify_Click();
    void tvDelete_Click();

    void TreeView_BeforeLabelEdit();
    void TreeView_AfterLabelEdit(const std::optional<QString>& newText);
    // Set from the start of an edit until one is accepted: a refused edit
    // leaves it set, and the next press in the tree opens the editor again.
    bool LabelEditPending() const { return labelEditPending_; }
    void ReopenLabelEdit();

private:
    void startLabelEdit(TreeNode* node);
    TreeNode* editedNode() const;

    Platform platform_;
    NodeTree& tree_;
    TreeHistory& history_;
    SettingsSchedule& settings_;
    QuickListLink& quickList_;
    // The browser's, or none when it cannot be kept as a node's path: the
    // browser has told the user why.
    std::function<std::optional<QString>()> highlightedDirectory_;
    bool labelEditPending_ = false;
    // The node the open or refused edit began on. The edit ends there,
    // wherever the selection went meanwhile: a press elsewhere may move the
    // selection before the editor it closes hands in its text.
    TreeNode* editedNode_ = nullptr;
};
