#pragma once

#include "KeyDrag.h"
#include "TreeMoves.h"
#include "platform/Platform.h"

#include <cstdint>

class NodeTree;
class ReadOnlyTree;
class SettingsSchedule;
class TreeHistory;
class TreeNode;

// "Cut" and "Paste Inside", "Paste Before", "Paste After" of the tree's
// menu: moving a node without a drag. A cut only marks the node; the tree
// changes when it is pasted, through the very moves of a drag of it dropped
// there with "Move Inside", "Move Before" or "Move After" chosen, the
// refusal of a folder placed in its own subtree included, and Undo takes a
// paste back as it takes such a drop back.
//
// The cut lasts until a paste, Escape or another cut, or until any node
// leaves the tree (a delete, a reload, an undo): a node kept past its
// removal is never moved, nor one that came in its place.
class TreeCut {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;
        SettingsSchedule& settings;
        const ReadOnlyTree& readOnly;  // filtered
    };
    TreeCut(const Platform& platform, const Parts& parts);

    void tvCut_Click(TreeNode* node);
    // Each moves the node cut to the target, the node the menu was opened
    // on; inside only a folder.
    void tvPasteInside_Click(TreeNode* target);
    void tvPasteBefore_Click(TreeNode* target);
    void tvPasteAfter_Click(TreeNode* target);
    // The node cut stays where it is, and is no longer cut.
    void CancelCut() { cut_ = nullptr; }
    // The node cut and not yet pasted, or none.
    TreeNode* CutNode() const;

private:
    enum class Where { Inside, Before, After };
    void paste(TreeNode* target, Where where);

    Platform platform_;
    Parts parts_;
    KeyDrag drag_;
    TreeMoves moves_;
    TreeNode* cut_ = nullptr;
    std::uint64_t removalsAtCut_ = 0;  // the tree's count of removals when it was cut
};
