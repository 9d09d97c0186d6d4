#pragma once

#include "platform/Shell.h"
#include "platform/Timer.h"

#include <QObject>

// Hands URLs to the desktop's opener, xdg-open, run as a process of its own
// and watched from the event loop. Its exit status is the answer; one that
// is still running after StillRunningMeansOpenedMs has found no quicker way
// and runs the application itself, so it has opened the URL. Answers come
// from the event loop, never from within open().
class QtShell : public Shell {
public:
    static constexpr int StillRunningMeansOpenedMs = 2000;

    explicit QtShell(TimerFactory& timers);
    ~QtShell() override;
    QtShell(const QtShell&) = delete;
    QtShell& operator=(const QtShell&) = delete;

    void open(const QUrl& url, Done done) override;

    // Openers not yet ended and cleaned up, answered or not.
    int openersRunning() const;

private:
    TimerFactory& timers_;
    QObject openers_;  // parent of every opener process
};
