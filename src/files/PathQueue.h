#pragma once

#include "model/PacedWalk.h"

#include <deque>
#include <functional>
#include <memory>

class Timer;
class TimerFactory;

// The nodes whose paths a background job is to look at next: nodes asked
// for one by one, then the whole tree, walked a few thousand nodes a turn
// of the event loop so that a large tree never holds the window.
class PathQueue {
public:
    // goOn is called in a later turn when a turn's walk found nothing.
    PathQueue(const NodeTree& tree, TimerFactory& timers, std::function<void()> goOn);
    ~PathQueue();
    PathQueue(const PathQueue&) = delete;
    PathQueue& operator=(const PathQueue&) = delete;

    void Want(TreeNode* node);
    void WalkAll();  // from the top, after the nodes wanted
    void Forget();   // the nodes wanted

    // Hands take() the nodes wanted that are still in the tree, then walked
    // ones, until it has taken room of them (take says whether it took one).
    void Fill(std::size_t room, const std::function<bool(TreeNode*)>& take);

private:
    const NodeTree& tree_;
    std::deque<TreeNode*> wanted_;
    StillInTree wantedInTree_;  // since the first of wanted_ was taken
    PacedWalk walk_;
    std::unique_ptr<Timer> resume_;
};
