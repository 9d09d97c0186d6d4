#pragma once

#include <QString>

class PathLabelPort;
class TreeNode;

// The path label shows one blank and the current node's path, or nothing
// when there is no current node.
void ShowPathOf(PathLabelPort& label, const TreeNode* node);
