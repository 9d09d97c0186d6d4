#pragma once

#include <deque>
#include <functional>

// What the program sets in the browser one thing after the other (the
// first showing's directory, then the settings' drive, directory, highlight
// and list), each step waiting until the one before has taken effect,
// though that may take a listing that comes later. What the user does ends
// the program's steps still to come.
class ProgramSteps {
public:
    using Step = std::function<void(std::function<void()> done)>;

    // Runs the step when those before it are done; it calls done when it is
    // done itself, at once or later.
    void add(Step step);
    void clear();

private:
    void run();

    std::deque<Step> steps_;
    bool waiting_ = false;
    bool running_ = false;
    int generation_ = 0;  // a done from before a clear() means nothing
};
