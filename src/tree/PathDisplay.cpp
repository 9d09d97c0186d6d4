#include "PathDisplay.h"

#include "model/NodeTree.h"
#include "platform/PathLabelPort.h"

void ShowPathOf(PathLabelPort& label, const TreeNode* node) {
    label.setCaption(node ? QLatin1Char(' ') + node->Tag() : QString());
}

void SelectDropHighlight(NodeTree& tree, PathLabelPort& label) {
    TreeNode* highlighted = tree.DropHighlight();
    if (highlighted)
        tree.SetSelectedItem(highlighted);
    ShowPathOf(label, highlighted);
}
