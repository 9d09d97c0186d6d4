#include "BrokenPaths.h"

#include "EnsureVisible.h"
#include "files/PathChecks.h"
#include "files/PathQueue.h"
#include "model/NodeTree.h"
#include "model/StillInTree.h"

#include <QFileInfo>
#include <utility>
#include <vector>

namespace {
// Enough to make a big tree few questions; small enough that applying the
// answers costs the window no visible pause.
constexpr std::size_t BatchSize = 2048;

// Only local paths are looked at: a web address is the opener's to reach.
bool looksAt(const QString& path) {
    return path.startsWith(QLatin1Char('/'));
}
}  // namespace

struct BrokenPaths::State {
    State(NodeTree& nodes, PathChecks& pathChecks, TreeViewPort& treeView, TimerFactory& timers,
          std::function<void()> goOn)
        : tree(nodes), checks(pathChecks), view(treeView), queue(nodes, timers, std::move(goOn)) {}

    NodeTree& tree;
    PathChecks& checks;
    TreeViewPort& view;
    bool shown = false;
    bool asking = false;
    PathQueue queue;  // paths set since, then every path, from each showing
};

BrokenPaths::BrokenPaths(NodeTree& tree, PathChecks& checks, TreeViewPort& view,
                         TimerFactory& timers)
    : state_(std::make_shared<State>(tree, checks, view, timers, [this] { lookNext(); })) {
    tree.SetPathWatcher([this](TreeNode* node) {
        if (!state_->shown)
            return;
        state_->queue.Want(node);
        lookNext();
    });
}

BrokenPaths::~BrokenPaths() {
    state_->tree.SetPathWatcher({});
}

void BrokenPaths::WindowShown() {
    State& state = *state_;
    state.shown = true;
    state.queue.Forget();
    state.queue.WalkAll();
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
    state.queue.Fill(BatchSize, [&](TreeNode* node) {
        if (!looksAt(node->Tag())) {
            node->SetPathCheck(PathStatus::There);
            return false;
        }
        batch->push_back({node, node->Tag()});
        paths << node->Tag();
        return true;
    });
    if (batch->empty())
        return;
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
