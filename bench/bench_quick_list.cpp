// What the tray menu costs to find each quick-list entry's node for its
// picture, over a tree of 100 000 nodes: once with 64 entries spread over
// the tree (the walk ends at the last one found), once with one entry whose
// node is gone (the whole tree walked). Done twice for each right click (to
// look the icons up, then to build the menu). Goal: well under 16 ms.
#include "RealisticTree.h"
#include "tray/QuickListPictures.h"

#include <benchmark/benchmark.h>

namespace {
void find(benchmark::State& state, const QuickEntries& entries) {
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const TreeNode* node : QuickListNodes(BigRealisticTree(), entries))
            found += node != nullptr;
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}

void BM_QuickListNodes_64Spread(benchmark::State& state) {
    QuickEntries entries;
    const NodeTree& tree = BigRealisticTree();
    for (int i = 0; i < 64; ++i) {
        const TreeNode* node = tree.Item(1 + i * (tree.Count() - 1) / 63);
        entries.push_back({node->Text(), node->Tag()});
    }
    find(state, entries);
}
BENCHMARK(BM_QuickListNodes_64Spread)->Unit(benchmark::kMillisecond);

void BM_QuickListNodes_OneGone(benchmark::State& state) {
    find(state, {{QStringLiteral("Gone"), QStringLiteral("/home/anna/gone.txt")}});
}
BENCHMARK(BM_QuickListNodes_OneGone)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
