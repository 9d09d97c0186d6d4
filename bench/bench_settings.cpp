#include "model/NodeTree.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsWriter.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
// Stands in for the main window: takes everything, looks up nothing.
class NullSink : public SettingsSink {
public:
    void applyWinTop(std::int32_t) override {}
    void applyWinLeft(std::int32_t) override {}
    void applyWinHeight(std::int32_t) override {}
    void applyWinWidth(std::int32_t) override {}
    void applyWinState(int) override {}
    void applyAutoHide(bool) override {}
    void applyFullPath(bool) override {}
    bool applyDrive(const QString&) override { return true; }
    bool applyDirPath(const QString&) override { return true; }
    void applyDirSel(int) override {}
    void applyDirVis(bool) override {}
    bool appendQuickEntry(const QString&, const QString&) override { return true; }
    void selectLoadedNode(TreeNode*) override {}
    void itemIconWanted(TreeNode*) override {}
    void keepOwnLine(const QString&) override {}
};

// A realistic shape: folders of ten entries, four levels deep, where every
// tenth entry of a folder is itself a folder; items carry home paths, some
// with a stale icon index.
void fillTree(NodeTree& tree, int count) {
    std::vector<TreeNode*> folders{nullptr};
    int made = 0;
    for (std::size_t f = 0; f < folders.size() && made < count; ++f) {
        TreeNode* parent = folders[f];
        for (int i = 0; i < 10 && made < count; ++i, ++made) {
            const bool folder = i == 0 || (i == 5 && folders.size() < std::size_t(count) / 5);
            TreeNode* node = tree.Add(parent, parent ? tvwChild : tvwLast, QString(),
                                      u"Entry %1 of folder %2"_s.arg(i).arg(f),
                                      folder ? u"closed"_s : (i % 3 ? u"leaf"_s : u"7"_s));
            if (folder) {
                node->SetExpandedImage(u"open"_s);
                node->SetExpanded(i == 0);
                folders.push_back(node);
            } else {
                node->SetTag(u"/home/ann/Documents/project %1/file %2.txt"_s.arg(f).arg(i));
            }
        }
    }
}

QuickEntries quickList() {
    QuickEntries list;
    for (int i = 0; i < 64; ++i)
        list.push_back({u"Quick %1"_s.arg(i), u"/home/ann/q%1"_s.arg(i)});
    return list;
}

QByteArray fileBytes(int count) {
    NodeTree tree;
    fillTree(tree, count);
    return WriteSettingsText(SettingsValues{}, tree, quickList());
}

void BM_ReadSettings(benchmark::State& state) {
    const QByteArray bytes = fileBytes(int(state.range(0)));
    for (auto _ : state) {
        auto tree = std::make_unique<NodeTree>();
        NullSink sink;
        ReadSettingsText(DecodeSettingsBytes(bytes), sink, *tree);
        benchmark::DoNotOptimize(tree->Count());
        state.PauseTiming();  // destroying the tree is not part of reading
        tree.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(qint64(state.iterations()) * bytes.size());
}
BENCHMARK(BM_ReadSettings)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_WriteSettings(benchmark::State& state) {
    NodeTree tree;
    fillTree(tree, int(state.range(0)));
    const QuickEntries quick = quickList();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Varnel.INI"_s);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray text = WriteSettingsText(SettingsValues{}, tree, quick);
        if (!WriteSettingsFile(path, text))
            state.SkipWithError("write failed");
        bytes += text.size();
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WriteSettings)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
}  // namespace

BENCHMARK_MAIN();
