#include "ProgramSteps.h"

#include <utility>

void ProgramSteps::add(Step step) {
    steps_.push_back(std::move(step));
    run();
}

void ProgramSteps::clear() {
    steps_.clear();
    waiting_ = false;
    ++generation_;
}

// A step that is done at once runs the next one from this loop, not from
// inside itself.
void ProgramSteps::run() {
    if (running_)
        return;
    running_ = true;
    while (!waiting_ && !steps_.empty()) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        waiting_ = true;
        step([this, generation = generation_] {
            if (generation != generation_)
                return;
            waiting_ = false;
            run();
        });
    }
    running_ = false;
}
