#include "PathQueue.h"

#include "platform/Timer.h"

namespace {
// Nodes walked at most in one turn of the event loop.
constexpr int WalkPerTurn = 16384;
}  // namespace

PathQueue::PathQueue(const NodeTree& tree, TimerFactory& timers, std::function<void()> goOn)
    : tree_(tree), wantedInTree_(tree), walk_(tree) {
    resume_ = timers.createTimer([this, goOn = std::move(goOn)] {
        resume_->stop();
        goOn();
    });
    resume_->setInterval(0);
}

PathQueue::~PathQueue() = default;

void PathQueue::Want(TreeNode* node) {
    if (wanted_.empty())
        wantedInTree_ = StillInTree(tree_);
    wanted_.push_back(node);
}

void PathQueue::WalkAll() {
    walk_.Restart();
}

void PathQueue::Forget() {
    wanted_.clear();
}

void PathQueue::Fill(std::size_t room, const std::function<bool(TreeNode*)>& take) {
    std::size_t taken = 0;
    while (!wanted_.empty() && taken < room) {
        TreeNode* node = wanted_.front();
        wanted_.pop_front();
        if (wantedInTree_(node) && take(node))
            ++taken;
    }
    for (int walked = 0; taken < room && walked < WalkPerTurn; ++walked) {
        TreeNode* node = walk_.Take();
        if (!node)
            break;
        if (take(node))
            ++taken;
    }
    if (taken == 0 && !walk_.Done())
        resume_->start();
}
