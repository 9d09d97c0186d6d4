#include "BestMatches.h"

#include "NodeMatch.h"
#include "model/NodeTree.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace {
struct Hit {
    MatchRank rank;
    qsizetype length;
    std::uint32_t order;
    TreeNode* node;

    friend bool operator<(const Hit& a, const Hit& b) {
        return std::tie(a.rank, a.length, a.order) < std::tie(b.rank, b.length, b.order);
    }
};

qsizetype labelLength(const TreeNode& node) {
    if (const auto utf8 = node.TextUtf8())
        return utf8->size();
    return node.Text().size();
}
}  // namespace

std::vector<TreeNode*> BestMatches(const NodeTree& tree, const TextMatch& match,
                                   std::size_t limit) {
    // A heap whose top is the worst of the best kept so far.
    std::vector<Hit> best;
    if (limit == 0)
        return {};
    best.reserve(limit + 1);
    std::uint32_t order = 0;
    for (TreeNode* node = tree.First(); node; node = NodeTree::NextInDocumentOrder(node)) {
        const MatchRank rank = RankNode(match, *node);
        if (rank == MatchRank::None) {
            ++order;
            continue;
        }
        const Hit hit{rank, labelLength(*node), order++, node};
        if (best.size() == limit) {
            if (!(hit < best.front()))
                continue;
            std::pop_heap(best.begin(), best.end());
            best.back() = hit;
        } else {
            best.push_back(hit);
        }
        std::push_heap(best.begin(), best.end());
    }
    std::sort_heap(best.begin(), best.end());
    std::vector<TreeNode*> nodes;
    nodes.reserve(best.size());
    for (const Hit& hit : best)
        nodes.push_back(hit.node);
    return nodes;
}
