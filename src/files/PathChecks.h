#pragma once

#include "MountPoints.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class BackgroundWork;
class TimerFactory;

// Questions to the file system about the paths a user keeps or drops (is
// it there, is it a folder, what kind of file), asked away from the
// user-interface thread, so that a share that stops answering never freezes
// the window. Each mount's paths are asked in order, on at most two threads
// at a time. A mount that makes no progress for two seconds does not answer:
// its paths are unknown at once from then on, and no thread is started for
// it while one still hangs in the kernel, where nothing can cancel it. It is
// taken as answering again half a minute after the last such thread came
// back. Threads that hang are never waited for, not even at the end.
class PathChecks {
public:
    static constexpr int DeadlineMs = 2000;
    static constexpr int RememberedMs = 30000;
    static constexpr int ThreadsPerMount = 2;

    // answered[i] is false for each path whose mount did not answer in time.
    using Answered = std::function<void(const std::vector<bool>& answered)>;
    // Hears the first time each mount does not answer.
    using NotAnswering = std::function<void(const QString& mount)>;

    PathChecks(BackgroundWork& work, TimerFactory& timers, NotAnswering notAnswering,
               std::function<QStringList()> mountPoints = ReadMountPoints);
    ~PathChecks();
    PathChecks(const PathChecks&) = delete;
    PathChecks& operator=(const PathChecks&) = delete;

    // Calls ask(i) on a background thread for paths[i] (for paths on
    // different mounts, possibly at the same time); then done, on the
    // user-interface thread, later, never from within Ask. What ask(i) found
    // for a path that was not answered in time is not to be used: it may
    // still be writing it.
    void Ask(const QStringList& paths, std::function<void(qsizetype)> ask, Answered done);
    // The same for one path.
    void AskOne(const QString& path, std::function<void()> ask,
                std::function<void(bool answered)> done);

private:
    struct State;
    std::shared_ptr<State> state_;  // what the threads under way come back to
};
