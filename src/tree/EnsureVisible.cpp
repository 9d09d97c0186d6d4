#include "EnsureVisible.h"

#include "model/NodeTree.h"
#include "platform/TreeViewPort.h"

void EnsureVisible(TreeNode* node, TreeViewPort& view) {
    if (!node)
        return;
    for (TreeNode* ancestor = node->Parent(); ancestor; ancestor = ancestor->Parent())
        ancestor->SetExpanded(true);
    view.ScrollTo(node);
}
