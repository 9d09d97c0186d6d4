// Costs of the node tree's everyday operations on trees of growing size.
// The per-operation figures should stay flat as the tree grows: nothing
// here may walk the whole tree.

#include "model/NodeTree.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

const QString& nodeText() {
    static const QString text = QStringLiteral("New Node");
    return text;
}
const QString& folderImage() {
    static const QString image = QStringLiteral("closed");
    return image;
}

// Shapes of tree a user plausibly keeps: folders of 64 entries nested three
// levels deep (filled breadth-first up to the wanted size), or everything
// flat at the top level.
enum Shape { Nested = 0, Flat = 1 };

std::unique_ptr<NodeTree> buildTree(int size, Shape shape) {
    auto tree = std::make_unique<NodeTree>();
    if (shape == Flat) {
        for (int i = 0; i < size; ++i)
            tree->Add(nullptr, tvwLast, QString(), nodeText(), folderImage());
        return tree;
    }
    constexpr int FolderSize = 64;
    std::vector<TreeNode*> folders;
    for (int i = 0; i < FolderSize && tree->Count() < size; ++i)
        folders.push_back(tree->Add(nullptr, tvwLast, QString(), nodeText(), folderImage()));
    for (std::size_t f = 0; f < folders.size() && tree->Count() < size; ++f) {
        for (int i = 0; i < FolderSize && tree->Count() < size; ++i)
            folders.push_back(
                tree->Add(folders[f], tvwChild, QString(), nodeText(), folderImage()));
    }
    return tree;
}

// A folder in the middle of the tree, where the editing happens.
TreeNode* middleFolder(const NodeTree& tree, Shape shape) {
    if (shape == Flat)
        return nullptr;
    TreeNode* folder = tree.TopLevelAt(tree.TopLevelCount() / 2);
    return folder->Child() ? folder : tree.First();
}

void sizes(benchmark::internal::Benchmark* bench) {
    for (int size : {1000, 10000, 100000})
        bench->Args({size, Nested});
    bench->Args({100000, Flat});
    bench->ArgNames({"nodes", "flat"});
}

// Add then Remove one node, so the tree keeps its size across iterations.
void BM_AddChildThenRemove(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(1));
    auto tree = buildTree(static_cast<int>(state.range(0)), shape);
    TreeNode* folder = middleFolder(*tree, shape);
    for (auto _ : state) {
        TreeNode* node = tree->Add(folder, tvwChild, QString(), nodeText(), folderImage());
        tree->Remove(node);
    }
}
BENCHMARK(BM_AddChildThenRemove)->Apply(sizes);

void BM_AddFirstThenRemove(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(1));
    auto tree = buildTree(static_cast<int>(state.range(0)), shape);
    TreeNode* folder = middleFolder(*tree, shape);
    TreeNode* relative = folder ? folder->Child() : tree->First();
    for (auto _ : state) {
        TreeNode* node = tree->Add(relative, tvwFirst, QString(), nodeText(), folderImage());
        tree->Remove(node);
        relative = node == relative ? tree->First() : relative;
    }
}
BENCHMARK(BM_AddFirstThenRemove)->Apply(sizes);

// Builds whole trees: the amortised cost of one appended child, including
// the destruction that clears them away afterwards.
void BM_BuildAndDestroy(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(1));
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto tree = buildTree(size, shape);
        tree.reset();
    }
    state.SetItemsProcessed(state.iterations() * size);
}
BENCHMARK(BM_BuildAndDestroy)->Apply(sizes)->Unit(benchmark::kMillisecond);

// Removes a small folder with its children and puts an equal one back.
void BM_RemoveSubtree(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(1));
    auto tree = buildTree(static_cast<int>(state.range(0)), shape);
    TreeNode* folder = middleFolder(*tree, shape);
    for (auto _ : state) {
        state.PauseTiming();
        TreeNode* sub = tree->Add(folder, tvwChild, QString(), nodeText(), folderImage());
        for (int i = 0; i < 10; ++i)
            tree->Add(sub, tvwChild, QString(), nodeText(), folderImage());
        state.ResumeTiming();
        tree->Remove(sub);
    }
}
BENCHMARK(BM_RemoveSubtree)->Apply(sizes);

// Reading the Index of nodes spread over the tree.
void BM_Index(benchmark::State& state) {
    auto tree = buildTree(static_cast<int>(state.range(0)), static_cast<Shape>(state.range(1)));
    std::vector<TreeNode*> probes;
    for (int i = 1; i <= tree->Count(); i += tree->Count() / 97 + 1)
        probes.push_back(tree->Item(i));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(probes[next]->Index());
        next = next + 1 == probes.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_Index)->Apply(sizes);

void BM_ItemByIndex(benchmark::State& state) {
    auto tree = buildTree(static_cast<int>(state.range(0)), static_cast<Shape>(state.range(1)));
    const int count = tree->Count();
    int index = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree->Item(index));
        index = index + 7919 > count ? (index + 7919) % count + 1 : index + 7919;
    }
}
BENCHMARK(BM_ItemByIndex)->Apply(sizes);

// Index after removals have left dead slots: the price of shifting.
void BM_IndexAfterRemovals(benchmark::State& state) {
    auto tree = buildTree(static_cast<int>(state.range(0)), static_cast<Shape>(state.range(1)));
    for (int i = tree->Count() / 3; i > 0; --i)
        tree->Remove(tree->Item(1 + (i * 31) % tree->Count()));
    TreeNode* last = tree->Item(tree->Count());
    for (auto _ : state)
        benchmark::DoNotOptimize(last->Index());
}
BENCHMARK(BM_IndexAfterRemovals)->Apply(sizes);

// The view asks a node for its row after neighbours came and went.
void BM_RowAfterInsertBefore(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(1));
    auto tree = buildTree(static_cast<int>(state.range(0)), shape);
    TreeNode* folder = middleFolder(*tree, shape);
    TreeNode* watched = folder ? folder->ChildAt(folder->Children() / 2)
                               : tree->TopLevelAt(tree->TopLevelCount() / 2);
    TreeNode* first = folder ? folder->Child() : tree->First();
    for (auto _ : state) {
        TreeNode* node = tree->Add(first, tvwNext, QString(), nodeText(), folderImage());
        benchmark::DoNotOptimize(watched->Row());
        tree->Remove(node);
        benchmark::DoNotOptimize(watched->Row());
    }
}
BENCHMARK(BM_RowAfterInsertBefore)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
