#include "NodeMatch.h"

#include "model/NodeTree.h"

namespace {
MatchPlace findText(const TextMatch& match, const TreeNode& node) {
    if (const auto utf8 = node.TextUtf8())
        return match.FindUtf8(*utf8);
    return match.Find(node.Text());
}

MatchPlace findTag(const TextMatch& match, const TreeNode& node) {
    if (const auto utf8 = node.TagUtf8())
        return match.FindUtf8(*utf8);
    return match.Find(node.Tag());
}
}  // namespace

MatchRank RankNode(const TextMatch& match, const TreeNode& node) {
    const MatchPlace label = findText(match, node);
    return RankOf(label, label == MatchPlace::None ? findTag(match, node) : MatchPlace::None);
}
