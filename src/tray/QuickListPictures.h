#pragma once

#include "model/QuickEntry.h"

#include <QString>
#include <vector>

class NodeTree;
class TreeNode;

// The node each quick-list entry was made from, found as the tree's menu
// finds an entry: the first node in document order whose label and path
// equal the entry's caption and path; none for an entry whose node is gone.
// One walk of the tree for the whole list, which ends once every entry has
// its node.
std::vector<TreeNode*> QuickListNodes(const NodeTree& tree, const QuickEntries& entries);

// The picture a quick-list entry shows beside its caption: the one the tree
// shows for its node while collapsed, an icon still being looked up (or no
// image at all) drawn as the leaf; none without a node.
QString QuickListPicture(const TreeNode* node);
