#pragma once

class TreeNode;
class TreeViewPort;

// Expands every ancestor of the node and scrolls its row into view.
void EnsureVisible(TreeNode* node, TreeViewPort& view);
