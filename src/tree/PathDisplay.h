#pragma once

#include <QString>

class NodeTree;
class PathLabelPort;
class TreeNode;

// The path label shows one blank and the current node's path, or nothing
// when there is no current node.
void ShowPathOf(PathLabelPort& label, const TreeNode* node);
// When a drop menu has closed: the node it left highlighted (where the node
// went, or the target) is selected and its path shown; none, no path.
void SelectDropHighlight(NodeTree& tree, PathLabelPort& label);
