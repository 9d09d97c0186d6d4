// Taking back the delete of a large folder: the whole subtree is rebuilt
// from the step's snapshot. The step's memory is shown per node: the
// snapshot holds each removed node once, in about the bytes of its text.

#include "model/NodeTree.h"
#include "model/TreeHistory.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct NoQuickList : QuickListState {
    const QuickEntries& QuickEntriesNow() const override { return entries; }
    void RestoreQuickEntries(const QuickEntries& restored) override { entries = restored; }
    QuickEntries entries;
};

// Fills folder with count descendants: folders of 64 entries filled
// breadth-first, most of them items with a path, as users' trees are.
void fill(NodeTree& tree, TreeNode* folder, int count) {
    const QString folderImage = QStringLiteral("closed"), itemImage = QStringLiteral("K12");
    std::vector<TreeNode*> folders{folder};
    for (std::size_t f = 0; f < folders.size() && count > 0; ++f) {
        for (int i = 0; i < 64 && count > 0; ++i, --count) {
            const bool isFolder = i % 16 == 0;
            TreeNode* node =
                tree.Add(folders[f], tvwChild, QString(), QStringLiteral("Node %1").arg(count),
                         isFolder ? folderImage : itemImage);
            node->SetTag(QStringLiteral("/home/user/Documents/projects/file-%1.txt").arg(count));
            if (isFolder) {
                node->SetExpandedImage(QStringLiteral("open"));
                node->SetExpanded(i % 32 == 0);
                folders.push_back(node);
            }
        }
    }
}

// The undo of a delete of a folder holding range(0) nodes, beside a
// thousand others; redone (untimed) before every undo.
void BM_UndoFolderDelete(benchmark::State& state) {
    NoQuickList quick;
    NodeTree tree;
    TreeHistory history(tree, quick);
    fill(tree,
         tree.Add(nullptr, tvwLast, QString(), QStringLiteral("Other"), QStringLiteral("closed")),
         1000);
    TreeNode* folder =
        tree.Add(nullptr, tvwLast, QString(), QStringLiteral("Big"), QStringLiteral("closed"));
    fill(tree, folder, int(state.range(0)));
    const int count = tree.Count();
    {
        TreeHistory::Step step(history, QStringLiteral("Delete"));
        tree.Remove(folder);
    }
    const std::size_t stepBytes = history.Bytes();
    for (auto _ : state) {
        history.Undo();
        state.PauseTiming();
        if (tree.Count() != count)
            state.SkipWithError("the folder did not come back whole");
        history.Redo();
        state.ResumeTiming();
    }
    state.counters["nodes"] = double(state.range(0));
    state.counters["step_bytes_per_node"] = double(stepBytes) / double(state.range(0));
}
BENCHMARK(BM_UndoFolderDelete)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The delete itself, now that it keeps a snapshot of what it removes.
void BM_RecordedFolderDelete(benchmark::State& state) {
    NoQuickList quick;
    NodeTree tree;
    TreeHistory history(tree, quick);
    for (auto _ : state) {
        state.PauseTiming();
        history.Clear();
        TreeNode* folder =
            tree.Add(nullptr, tvwLast, QString(), QStringLiteral("Big"), QStringLiteral("closed"));
        fill(tree, folder, int(state.range(0)));
        state.ResumeTiming();
        TreeHistory::Step step(history, QStringLiteral("Delete"));
        tree.Remove(folder);
    }
}
BENCHMARK(BM_RecordedFolderDelete)->Arg(10000)->Unit(benchmark::kMillisecond);

// A whole tree replaced by another in one step, as a restore of a kept
// copy does: every old node removed, range(0) new ones appended in file
// order. The step keeps the old tree once and one change per new top-level
// node; then the undo.
void BM_WholeTreeReplaced(benchmark::State& state) {
    NoQuickList quick;
    NodeTree tree;
    TreeHistory history(tree, quick);
    const int count = int(state.range(0));
    fill(tree,
         tree.Add(nullptr, tvwLast, QString(), QStringLiteral("Old"), QStringLiteral("closed")),
         count);
    std::size_t stepBytes = 0;
    for (auto _ : state) {
        {
            TreeHistory::Step step(history, QStringLiteral("Restore"));
            while (TreeNode* first = tree.First())
                tree.Remove(first);
            TreeNode* top =
                tree.AppendLoaded(nullptr, "New", "", QStringLiteral("closed"), {}, true);
            TreeNode* folder = nullptr;
            for (int i = 0; i < count; ++i) {
                if (i % 64 == 0) {
                    folder = tree.AppendLoaded(top, "Folder", "", QStringLiteral("closed"),
                                               QStringLiteral("open"), false);
                } else {
                    tree.AppendLoaded(folder, "Node", "/home/user/Documents/file.txt",
                                      QStringLiteral("K12"), {}, false);
                }
            }
        }
        stepBytes = history.Bytes();
        history.Undo();
        state.PauseTiming();
        history.Clear();
        state.ResumeTiming();
    }
    state.counters["step_bytes_per_node"] = double(stepBytes) / double(2 * count);
}
BENCHMARK(BM_WholeTreeReplaced)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
