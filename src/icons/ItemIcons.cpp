#include "ItemIcons.h"

#include "files/PathChecks.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "model/PacedWalk.h"
#include "model/StillInTree.h"
#include "platform/ImageListPort.h"
#include "platform/Timer.h"

#include <deque>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// Small enough that applying one batch's answers costs the window no
// visible pause; large enough that a big tree needs few threads.
constexpr std::size_t BatchSize = 256;
// Nodes walked at most in one turn of the event loop looking for items.
constexpr int WalkPerTurn = 16384;

// One item asked about: it gets its answer only if it is still in the tree
// with the path and the waiting image it had when asked.
struct Asked {
    TreeNode* node;
    QString path;
    QString image;
};
}  // namespace

struct ItemIcons::State {
    State(ImageListPort& list, PathChecks& pathChecks, NodeTree& nodes)
        : images(list), checks(pathChecks), tree(nodes), walk(nodes) {}

    ImageListPort& images;
    PathChecks& checks;
    NodeTree& tree;
    bool shown = false;
    bool asking = false;
    std::deque<TreeNode*> wanted;
    StillInTree wantedInTree{tree};   // since the first of wanted was taken
    PacedWalk walk;                   // the whole tree, once, from the first showing
    std::unique_ptr<Timer> resume;    // the walk goes on in the next turn
    std::vector<QString> indexTexts;  // one shared text per image index
    std::unordered_map<std::uint64_t, int> indexOfHandle;

    void want(TreeNode* node) {
        if (wanted.empty())
            wantedInTree = StillInTree(tree);
        wanted.push_back(node);
    }

    const QString& imageOf(int index) {
        const auto place = std::size_t(index);
        if (indexTexts.size() <= place)
            indexTexts.resize(place + 1);
        if (indexTexts[place].isNull())
            indexTexts[place] = ImageKeys::forIndex(index);
        return indexTexts[place];
    }
};

ItemIcons::ItemIcons(ImageListPort& images, PathChecks& checks, NodeTree& tree,
                     TimerFactory& timers)
    : state_(std::make_shared<State>(images, checks, tree)) {
    state_->resume = timers.createTimer([this] {
        state_->resume->stop();
        lookUpNext();
    });
    state_->resume->setInterval(0);
}

ItemIcons::~ItemIcons() = default;

QString ItemIcons::NewItemImage() {
    return ImageKeys::waiting(ImageKeys::forIndex(ImageKeys::FirstItemIconIndex));
}

void ItemIcons::RequestIcon(TreeNode* node) {
    State& state = *state_;
    if (!state.shown)
        return;  // found by the walk at the first showing
    state.want(node);
    lookUpNext();
}

void ItemIcons::WindowShown() {
    State& state = *state_;
    if (std::exchange(state.shown, true))
        return;
    state.walk.Restart();
    lookUpNext();
}

void ItemIcons::lookUpNext() {
    State& state = *state_;
    if (state.asking)
        return;
    auto batch = std::make_shared<std::vector<Asked>>();
    while (!state.wanted.empty() && batch->size() < BatchSize) {
        TreeNode* node = state.wanted.front();
        state.wanted.pop_front();
        if (state.wantedInTree(node) && ImageKeys::isWaiting(node->Image()))
            batch->push_back({node, node->Tag(), node->Image()});
    }
    for (int walked = 0; batch->size() < BatchSize && walked < WalkPerTurn; ++walked) {
        TreeNode* node = state.walk.Take();
        if (!node)
            break;
        if (ImageKeys::isWaiting(node->Image()))
            batch->push_back({node, node->Tag(), node->Image()});
    }
    if (batch->empty()) {
        if (!state.walk.Done())
            state.resume->start();
        return;
    }
    state.asking = true;
    QStringList paths;
    paths.reserve(qsizetype(batch->size()));
    for (const Asked& asked : *batch)
        paths << asked.path;
    auto kinds = std::make_shared<std::vector<std::optional<IconKind>>>(batch->size());
    state.checks.Ask(
        paths, [paths, kinds](qsizetype i) { (*kinds)[std::size_t(i)] = LookUpIconKind(paths[i]); },
        [this, weak = std::weak_ptr<State>(state_), batch, kinds,
         inTree = StillInTree(state.tree)](const std::vector<bool>& answered) mutable {
            const std::shared_ptr<State> alive = weak.lock();
            if (!alive)
                return;
            alive->asking = false;
            for (std::size_t i = 0; i < batch->size(); ++i) {
                const Asked& asked = (*batch)[i];
                if (!answered[i] || !inTree(asked.node) || asked.node->Image() != asked.image ||
                    asked.node->Tag() != asked.path)
                    continue;
                if (const int index = GetItemIcon((*kinds)[i]); index != 0)
                    asked.node->SetImage(alive->imageOf(index));
            }
            lookUpNext();
        });
}

int ItemIcons::GetItemIcon(const std::optional<IconKind>& kind) {
    if (!kind)
        return ImageKeys::LeafIndex;
    ImageListPort& images = state_->images;
    const std::uint64_t icon = images.lookUpIcon(kind->iconName, kind->genericIconName);
    if (icon == 0)
        return ImageKeys::LeafIndex;
    // Thousands of items share a handle: its image is found once.
    int& index = state_->indexOfHandle[icon];
    if (index != 0)
        return index;
    // The key carries the icon's handle, so a drag can draw it again.
    const QString key = QLatin1Char('K') + QString::number(icon);
    index = images.add(key, icon);
    if (index == 0)
        index = images.indexOf(key);
    return index;
}
