#pragma once

class TreeNode;

// Shows the tree's menu, prepared for what the press was on (none: empty
// space), and runs the command chosen from it.
class TreeMenuHost {
public:
    virtual ~TreeMenuHost() = default;
    // atNode: asked for with a key, so shown at the node rather than at the pointer.
    virtual void ShowTreeMenu(TreeNode* node, bool atNode) = 0;
};
