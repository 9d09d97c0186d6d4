// What watching the settings file adds: the hash of every file read or
// written, the tree's side looked at after each, and the check of a changed
// file before it replaces the tree.
#include "app/SettingsReload.h"
#include "app/SettingsWatch.h"
#include "model/NodeTree.h"
#include "settings/SettingsValues.h"
#include "settings/SettingsWriter.h"
#include "settings/WholeSettingsFile.h"

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {
// Folders of ten entries, where the first and the sixth of a folder are
// folders again while there are few; items carry home paths.
void fillTree(NodeTree& tree, int count) {
    std::vector<TreeNode*> folders{nullptr};
    int made = 0;
    for (std::size_t f = 0; f < folders.size() && made < count; ++f) {
        TreeNode* parent = folders[f];
        for (int i = 0; i < 10 && made < count; ++i, ++made) {
            const bool folder = i == 0 || (i == 5 && folders.size() < std::size_t(count) / 5);
            TreeNode* node = tree.Add(parent, parent ? tvwChild : tvwLast, QString(),
                                      u"Entry %1 of folder %2"_s.arg(i).arg(f),
                                      folder ? u"closed"_s : u"leaf"_s);
            if (folder)
                folders.push_back(node);
            else
                node->SetTag(u"/home/ann/Documents/folder %1/file %2.txt"_s.arg(f).arg(i));
        }
    }
}

struct Fixture {
    explicit Fixture(int nodes) {
        fillTree(tree, nodes);
        bytes = WriteSettingsText(SettingsValues(), tree, {});
    }
    NodeTree tree;
    QByteArray bytes;
};

void BM_ContentHash(benchmark::State& state) {
    const Fixture f(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FileContent::of(f.bytes));
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}
BENCHMARK(BM_ContentHash)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TreeSide(benchmark::State& state) {
    const Fixture f(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TreeSideOf(f.tree, {}, {}));
}
BENCHMARK(BM_TreeSide)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WholeSettingsCheck(benchmark::State& state) {
    const Fixture f(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(IsWholeSettingsFile(f.bytes));
}
BENCHMARK(BM_WholeSettingsCheck)->Arg(100000)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
