#pragma once

#include "platform/BackgroundWork.h"

#include <QObject>
#include <memory>

// Each piece of work on a QThread of its own: a pool's few threads could all
// end up waiting on a dead mount, and a pool waits for its threads when it
// goes, which would hang the program's end. A thread stuck on such a mount is
// left behind; the others are deleted as they finish.
class QtBackgroundWork : public BackgroundWork {
public:
    QtBackgroundWork();
    ~QtBackgroundWork() override;
    QtBackgroundWork(const QtBackgroundWork&) = delete;
    QtBackgroundWork& operator=(const QtBackgroundWork&) = delete;

    void run(std::function<void()> work, std::function<void()> done) override;

    // Threads started and not yet finished.
    int running() const;

private:
    struct Home;
    std::shared_ptr<Home> home_;  // where finished work reports, shared with the threads
    QObject receiver_;            // on the user-interface thread: done runs here
};
