#pragma once

#include <memory>

class NodeTree;
class PathChecks;
class TimerFactory;
class TreeNode;
class TreeViewPort;

// Which nodes point at a path that is not there, looked at in the
// background: every path each time the window is shown (files come and go
// while it is hidden), and a path as soon as it is set. A path on a share
// that does not answer is unanswered, not missing. Nothing is looked at
// before the window is first shown.
class BrokenPaths {
public:
    BrokenPaths(NodeTree& tree, PathChecks& checks, TreeViewPort& view, TimerFactory& timers);
    ~BrokenPaths();
    BrokenPaths(const BrokenPaths&) = delete;
    BrokenPaths& operator=(const BrokenPaths&) = delete;

    void WindowShown();
    // Whether any node's path was found missing.
    bool AnyMissing() const;
    // "Find Broken Paths": selects the next node after the selected one, in
    // document order and from the top after the last, whose path is
    // missing, and shows it.
    void tvFindBroken_Click();

private:
    void lookNext();  // one question under way at a time

    struct State;
    std::shared_ptr<State> state_;
};
