#pragma once

#include <functional>

// Work that may take long (reading a directory, asking a mount about
// itself) runs away from the user-interface thread, so that a mount that
// does not answer never freezes the window.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    // Runs work on a thread of its own, then done on the user-interface
    // thread, later, never from within run(). done does not run once this
    // is gone. Work that never ends holds only its own thread.
    virtual void run(std::function<void()> work, std::function<void()> done) = 0;
};
