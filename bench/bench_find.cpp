// The quick-find pop-up's work for one keystroke over a tree of 100 000
// nodes: every label (and the path of each label that does not match)
// folded and searched, the best rows kept, their strings made. Typing
// "report" a letter at a time, an accented letter, a path, and a text that
// matches nothing (every label and path read to its end). Goal: well under
// 16 ms a keystroke.
#include "RealisticTree.h"
#include "find/BestMatches.h"
#include "find/QuickFind.h"
#include "find/TextMatch.h"

#include <benchmark/benchmark.h>

namespace {

void filter_100k(benchmark::State& state, const char* typed) {
    const NodeTree& tree = BigRealisticTree();
    const QString text = QString::fromUtf8(typed);
    std::size_t found = 0;
    for (auto _ : state) {
        const TextMatch match(text);
        const auto nodes = BestMatches(tree, match, QuickFind::MaxNodeRows);
        for (TreeNode* node : nodes)
            benchmark::DoNotOptimize(node->Text().size() + node->Tag().size());
        found = nodes.size();
    }
    state.counters["rows"] = double(found);
    state.counters["nodes"] = double(tree.Count());
}
}  // namespace

BENCHMARK_CAPTURE(filter_100k, r, "r")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, re, "re")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, rep, "rep")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, repo, "repo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, report, "report")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, accented, "zur")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, path, "/home/anna/tax")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(filter_100k, none, "qqxz")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
