#include "BrokenPaths.h"

#include "EnsureVisible.h"
#include "files/PathChecks.h"
#include "model/NodeTree.h"
#include "model/PacedWalk.h"
#include "model/StillInTree.h"
#include "platform/Timer.h"

#include <QFileInfo>
#include <deque>
#include <utility>
#include <vector>

namespace {
// Enough to make a big tree few questions; small enough that applying the
// answers costs the window no visible pause.
constexpr std::size_t BatchSize = 2048;
// Nodes walked at most in one turn of the event loop.
constexpr int WalkPerTurn = 16384;

// Only local paths are looked at: a web address is the opener's to reach.
bool looksAt(const QString& path) {
    return path.startsWith(QLatin1Char('/'));
}
}  // namespace

struct BrokenPaths::State {
    State(NodeTree& nodes, PathChecks& pathChecks, TreeViewPort& treeView)
        : tree(nodes), checks(pathChecks), view(treeView), walk(nodes) {}

    NodeTree& tree;
    PathChecks& checks;
    TreeViewPort& view;
    bool shown = false;
    bool asking = false;
    std::deque<TreeNode*> wanted;  // paths set since
    StillInTree wantedInTree{tree};
    PacedWalk walk;                 // every path, from each showing
    std::unique_ptr<Timer> resume;  // the walk goes on in the next turn

    void want(TreeNode* node) {
        if (wanted.empty())
            wantedInTree = StillInTree(tree);
        wanted.push_back(node);
    }
};

BrokenPaths::BrokenPaths(NodeTree& tree, PathChecks& checks, TreeViewPort& view,
                         TimerFactory& timers)
    : state_(std::make_shared<State>(tree, checks, view)) {
    state_->resume = timers.createTimer([this] {
        state_->resume->stop();
        lookNext();
    });
    state_->resume->setInterval(0);
    tree.SetPathWatcher([this](TreeNode* node) {
        if (!state_->shown)
            return;
        state_->want(node);
        lookNext();
    });
}

BrokenPaths::~BrokenPaths() {
    state_->tree.SetPathWatcher({});
}

void BrokenPaths::WindowShown() {
    State& state = *state_;
    state.shown = true;
    state.wanted.clear();
    state.walk.Restart();
    lookNext();
}

void BrokenPaths::lookNext() {
    State& state = *state_;
    if (state.asking)
        return;
    struct Asked {
        TreeNode* node;
        QString path;
    };
    auto batch = std::make_shared<std::vector<Asked>>();
    QStringList paths;
    const auto take = [&](TreeNode* node) {
        if (!looksAt(node->Tag())) {
            node->SetPathCheck(PathStatus::There);
            return;
        }
        batch->push_back({node, node->Tag()});
        paths << node->Tag();
    };
    while (!state.wanted.empty() && batch->size() < BatchSize) {
        TreeNode* node = state.wanted.front();
        state.wanted.pop_front();
        if (state.wantedInTree(node))
            take(node);
    }
    for (int walked = 0; batch->size() < BatchSize && walked < WalkPerTurn; ++walked) {
        TreeNode* node = state.walk.Take();
        if (!node)
            break;
        take(node);
    }
    if (batch->empty()) {
        if (!state.walk.Done())
            state.resume->start();
        return;
    }
    state.asking = true;
    auto there = std::make_shared<std::vector<char>>(batch->size());
    state.checks.Ask(
        paths,
        [paths, there](qsizetype i) {
            (*there)[std::size_t(i)] = QFileInfo::exists(paths[i]) ? 1 : 0;
        },
        [this, weak = std::weak_ptr<State>(state_), batch, there,
         inTree = StillInTree(state.tree)](const std::vector<bool>& answered) mutable {
            const std::shared_ptr<State> alive = weak.lock();
            if (!alive)
                return;
            alive->asking = false;
            for (std::size_t i = 0; i < batch->size(); ++i) {
                const Asked& asked = (*batch)[i];
                if (!inTree(asked.node) || asked.node->Tag() != asked.path)
                    continue;
                asked.node->SetPathCheck(!answered[i]       ? PathStatus::Unanswered
                                         : (*there)[i] != 0 ? PathStatus::There
                                                            : PathStatus::Missing);
            }
            lookNext();
        });
}

bool BrokenPaths::AnyMissing() const {
    for (const TreeNode* node = state_->tree.First(); node;
         node = NodeTree::NextInDocumentOrder(node))
        if (node->PathCheck() == PathStatus::Missing)
            return true;
    return false;
}

void BrokenPaths::tvFindBroken_Click() {
    NodeTree& tree = state_->tree;
    TreeNode* start = tree.SelectedItem();
    const auto after = [&tree](TreeNode* node) {
        TreeNode* next = node ? NodeTree::NextInDocumentOrder(node) : nullptr;
        return next ? next : tree.First();
    };
    TreeNode* node = after(start);
    for (int left = tree.Count(); node && left > 0; --left, node = after(node)) {
        if (node->PathCheck() == PathStatus::Missing) {
            tree.SetSelectedItem(node);
            EnsureVisible(node, state_->view);
            return;
        }
    }
}
