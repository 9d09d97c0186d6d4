// Moving a folder with its subtree inside a tree that holds many other
// nodes. A move before or after re-creates every node of the subtree, so its
// cost may grow with the subtree, never with the rest of the tree.

#include "model/NodeTree.h"
#include "platform/MessageBoxes.h"
#include "tree/DragStates.h"
#include "tree/TreeMoves.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

const QString& folderImage() {
    static const QString image = QStringLiteral("closed");
    return image;
}
const QString& itemImage() {
    static const QString image = QStringLiteral("leaf");
    return image;
}

// A tree drag of whatever node the benchmark names.
class Drag : public DragStates {
public:
    int TreeDragState() const override { return 2; }
    int DirDragState() const override { return 0; }
    int FileDragState() const override { return 0; }
    TreeNode* DragNode() const override { return node; }
    void EndDrag(DragSource) override {}
    TreeNode* node = nullptr;
};

class NoBoxes : public MessageBoxes {
public:
    MsgAnswer show(const QString&, const QString&, MsgButtons, MsgIcon) override {
        return MsgAnswer::Ok;
    }
};

// Fills folder with count descendants: folders of width entries, filled
// breadth-first, the last entry of each level an item so both kinds move.
void fill(NodeTree& tree, TreeNode* folder, int count, int width) {
    std::vector<TreeNode*> folders{folder};
    for (std::size_t f = 0; f < folders.size() && count > 0; ++f) {
        for (int i = 0; i < width && count > 0; ++i, --count) {
            const bool item = i + 1 == width;
            TreeNode* node = tree.Add(folders[f], tvwChild, QString(), QString::number(count),
                                      item ? itemImage() : folderImage());
            node->SetTag(QStringLiteral("/some/path"));
            if (!item)
                folders.push_back(node);
        }
    }
}

// The other nodes: top-level folders of 64 entries each, three levels deep.
struct Forest {
    explicit Forest(int others) {
        for (int made = 0; made < others; made += 64 * 65 + 1) {
            TreeNode* top =
                tree.Add(nullptr, tvwLast, QString(), QStringLiteral("T"), folderImage());
            fill(tree, top, std::min(64 * 65, others - made - 1), 64);
        }
        subject = tree.Add(nullptr, tvwLast, QString(), QStringLiteral("S"), folderImage());
        anchor = tree.TopLevelAt((tree.TopLevelCount() - 1) / 2);
    }
    NodeTree tree;
    TreeNode* subject;
    TreeNode* anchor;
    Drag drag;
    NoBoxes boxes;
};

// Moves the subject after and before the same top-level node in turn, each
// move re-creating the whole subtree. Arguments: descendants, the subtree's
// folder width, other nodes.
void BM_MoveFolderBeside(benchmark::State& state) {
    Forest f(static_cast<int>(state.range(2)));
    fill(f.tree, f.subject, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TreeMoves moves(f.boxes, f.tree, f.drag);
    bool after = true;
    for (auto _ : state) {
        f.drag.node = f.subject;
        f.tree.SetDropHighlight(f.anchor);
        moves.MoveNode(after ? tvwNext : tvwPrevious);
        f.subject = f.tree.SelectedItem();
        after = !after;
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}
BENCHMARK(BM_MoveFolderBeside)
    ->ArgNames({"descendants", "width", "others"})
    ->Args({1000, 10, 100000})
    ->Args({10000, 10, 100000})
    ->Args({100000, 10, 100000})
    ->Args({10000, 10, 1000})
    ->Args({10000, 10, 1000000})
    ->Args({10000, 10000, 100000})  // one flat folder
    ->Args({100000, 100000, 100000})
    ->Unit(benchmark::kMillisecond);

// Moving inside keeps the nodes: one reassignment of the parent, whatever
// the subtree's size.
void BM_MoveInside(benchmark::State& state) {
    Forest f(100000);
    fill(f.tree, f.subject, static_cast<int>(state.range(0)), 10);
    TreeMoves moves(f.boxes, f.tree, f.drag);
    TreeNode* folders[] = {f.anchor, f.tree.First()};
    int next = 0;
    for (auto _ : state) {
        f.drag.node = f.subject;
        f.tree.SetDropHighlight(folders[next]);
        moves.MoveInside();
        next = 1 - next;
    }
}
BENCHMARK(BM_MoveInside)->ArgName("descendants")->Arg(1000)->Arg(100000);

// A chain of folders each inside the previous one: moved with a stack of
// its own, one level at a time.
void BM_MoveDeepChain(benchmark::State& state) {
    Forest f(100000);
    TreeNode* link = f.subject;
    for (int i = 0; i < state.range(0); ++i)
        link = f.tree.Add(link, tvwChild, QString(), QStringLiteral("C"), folderImage());
    TreeMoves moves(f.boxes, f.tree, f.drag);
    for (auto _ : state) {
        f.drag.node = f.subject;
        f.tree.SetDropHighlight(f.anchor);
        moves.MoveNode(tvwNext);
        f.subject = f.tree.SelectedItem();
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}
BENCHMARK(BM_MoveDeepChain)
    ->ArgName("depth")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
