#pragma once

#include "TextMatch.h"

class TreeNode;

// How well a node of the tree matches: its label (Text) first, then its path
// (Tag), read where they are kept without making strings of them.
MatchRank RankNode(const TextMatch& match, const TreeNode& node);
