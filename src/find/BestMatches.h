#pragma once

#include <cstddef>
#include <vector>

class NodeTree;
class TextMatch;
class TreeNode;

// The nodes of the tree that match, best first, at most limit of them: by
// rank, then the shorter label (the closer match), then the order of the
// tree. One walk of the tree, keeping only the best so far, so that a
// keystroke costs no more than reading every label once.
std::vector<TreeNode*> BestMatches(const NodeTree& tree, const TextMatch& match, std::size_t limit);
