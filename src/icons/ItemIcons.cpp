#include "ItemIcons.h"

#include "files/PathChecks.h"
#include "files/PathQueue.h"
#include "files/WebAddress.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "model/StillInTree.h"
#include "platform/ImageListPort.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// Small enough that applying one batch's answers costs the window no
// visible pause; large enough that a big tree needs few threads.
constexpr std::size_t BatchSize = 256;

// One item asked about: it gets its answer only if it is still in the tree
// with the path and the waiting image it had when asked.
struct Asked {
    TreeNode* node;
    QString path;
    QString image;
};
}  // namespace

struct ItemIcons::State {
    State(ImageListPort& list, PathChecks& pathChecks, NodeTree& nodes, TimerFactory& timers,
          std::function<void()> goOn)
        : images(list), checks(pathChecks), tree(nodes), queue(nodes, timers, std::move(goOn)) {}

    ImageListPort& images;
    PathChecks& checks;
    NodeTree& tree;
    bool shown = false;
    bool asking = false;
    PathQueue queue;                  // the whole tree once, from the first showing
    std::vector<QString> indexTexts;  // one shared text per image index
    std::unordered_map<std::uint64_t, int> indexOfHandle;
    std::function<void(const TreeNode*)> pictureChanged;

    void setImage(TreeNode* node, int index) {
        node->SetImage(imageOf(index));
        if (pictureChanged)
            pictureChanged(node);
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
    : state_(std::make_shared<State>(images, checks, tree, timers, [this] { lookUpNext(); })) {}

ItemIcons::~ItemIcons() = default;

QString ItemIcons::NewItemImage() {
    return ImageKeys::waiting(ImageKeys::forIndex(ImageKeys::FirstItemIconIndex));
}

void ItemIcons::RequestIcon(TreeNode* node) {
    State& state = *state_;
    if (!state.shown)
        return;  // found by the walk at the first showing
    state.queue.Want(node);
    lookUpNext();
}

void ItemIcons::WindowShown() {
    State& state = *state_;
    if (std::exchange(state.shown, true))
        return;
    state.queue.WalkAll();
    lookUpNext();
}

void ItemIcons::LookUpNow(const std::vector<TreeNode*>& nodes) {
    State& state = *state_;
    bool wanted = false;
    for (TreeNode* node : nodes) {
        if (node && ImageKeys::isWaiting(node->Image())) {
            state.queue.Want(node);
            wanted = true;
        }
    }
    if (wanted)
        lookUpNext();
}

void ItemIcons::SetPictureChanged(std::function<void(const TreeNode*)> changed) {
    state_->pictureChanged = std::move(changed);
}

void ItemIcons::lookUpNext() {
    State& state = *state_;
    if (state.asking)
        return;
    auto batch = std::make_shared<std::vector<Asked>>();
    state.queue.Fill(BatchSize, [this, &batch](TreeNode* node) {
        if (!ImageKeys::isWaiting(node->Image()))
            return false;
        QString path = node->Tag();
        // A web address is no file to look at: its picture is known.
        if (IsWebAddress(path)) {
            if (const int index = GetItemIcon(WebAddressIcon()); index != 0)
                state_->setImage(node, index);
            return false;
        }
        batch->push_back({node, std::move(path), node->Image()});
        return true;
    });
    if (batch->empty())
        return;
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
                    alive->setImage(asked.node, index);
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
