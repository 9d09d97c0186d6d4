#include "PathChecks.h"

#include "platform/BackgroundWork.h"
#include "platform/Timer.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <atomic>
#include <deque>
#include <map>

Q_LOGGING_CATEGORY(lcChecks, "varnel.checks")

namespace {
// One call of Ask: its answers and how many mounts' shares are still out.
struct Question {
    Question(qsizetype paths, PathChecks::Answered answer)
        : answered(std::size_t(paths)), done(std::move(answer)) {}

    std::vector<bool> answered;  // all false at first
    int sharesLeft = 0;
    PathChecks::Answered done;
};

// One mount's share of a question, shared with the thread that asks it.
struct Share {
    std::shared_ptr<Question> question;
    std::vector<qsizetype> indexes;
    std::function<void(qsizetype)> ask;
    std::atomic<qsizetype> finished{0};
    std::atomic<bool> abandoned{false};
};

struct Mount {
    int running = 0;  // threads asking it, hung ones included
    int hung = 0;     // threads that missed their deadline and have not come back
    bool answering = true;
    bool told = false;
    std::unique_ptr<Timer> remembered;           // until it counts as answering again
    std::deque<std::shared_ptr<Share>> waiting;  // for a thread of their own
};

// Watches one thread: no progress between two ticks is no answer.
struct Watch {
    std::unique_ptr<Timer> timer;
    qsizetype lastSeen = 0;
    bool gaveUp = false;
};
}  // namespace

struct PathChecks::State : std::enable_shared_from_this<State> {
    State(BackgroundWork& background, TimerFactory& timerFactory, NotAnswering told,
          std::function<QStringList()> points)
        : work(background),
          timers(timerFactory),
          notAnswering(std::move(told)),
          mountPoints(std::move(points)),
          later(timers.createTimer([this] { giveLateAnswers(); })) {
        later->setInterval(0);
    }

    BackgroundWork& work;
    TimerFactory& timers;
    NotAnswering notAnswering;
    std::function<QStringList()> mountPoints;
    std::map<QString, Mount> mounts;
    std::map<int, Watch> watches;  // by thread number
    int lastThread = 0;
    std::unique_ptr<Timer> later;
    std::vector<std::shared_ptr<Share>> refused;  // to be answered from the event loop
    QStringList mountPointsRead;
    QElapsedTimer mountPointsAge;

    // The kernel's list is read again once it is a second old: reading it
    // for each of many questions in a row showed in profiles.
    const QStringList& currentMountPoints() {
        if (!mountPointsAge.isValid() || mountPointsAge.hasExpired(1000)) {
            mountPointsRead = mountPoints();
            mountPointsAge.start();
        }
        return mountPointsRead;
    }

    static void shareDone(Share& share) {
        const qsizetype finished = share.finished;
        for (qsizetype k = 0; k < finished && k < qsizetype(share.indexes.size()); ++k)
            share.question->answered[std::size_t(share.indexes[std::size_t(k)])] = true;
        Question& question = *share.question;
        if (--question.sharesLeft == 0 && question.done)
            std::exchange(question.done, {})(question.answered);
    }

    void giveLateAnswers() {
        later->stop();
        for (const std::shared_ptr<Share>& share : std::exchange(refused, {}))
            shareDone(*share);
    }

    void refuse(const std::shared_ptr<Share>& share) {
        refused.push_back(share);
        later->start();
    }

    void startOrWait(const QString& point, const std::shared_ptr<Share>& share) {
        Mount& mount = mounts[point];
        if (!mount.answering)
            refuse(share);
        else if (mount.running >= ThreadsPerMount)
            mount.waiting.push_back(share);
        else
            start(point, share);
    }

    void start(const QString& point, const std::shared_ptr<Share>& share) {
        ++mounts[point].running;
        const int number = ++lastThread;
        Watch& watch = watches[number];
        watch.timer = timers.createTimer([this, number, point, share] {
            Watch& seen = watches[number];
            if (share->finished != seen.lastSeen) {
                seen.lastSeen = share->finished;
                return;
            }
            seen.gaveUp = true;
            seen.timer->stop();
            share->abandoned = true;
            stoppedAnswering(point);
            shareDone(*share);
        });
        watch.timer->setInterval(DeadlineMs);
        watch.timer->start();
        work.run(
            [share] {
                for (const qsizetype index : share->indexes) {
                    if (share->abandoned)
                        return;
                    share->ask(index);
                    ++share->finished;
                }
            },
            [weak = weak_from_this(), number, point, share] {
                if (const std::shared_ptr<State> alive = weak.lock())
                    alive->cameBack(number, point, share);
            });
    }

    void cameBack(int number, const QString& point, const std::shared_ptr<Share>& share) {
        const auto found = watches.find(number);
        const bool gaveUp = found != watches.end() && found->second.gaveUp;
        if (found != watches.end())
            watches.erase(found);
        Mount& mount = mounts[point];
        --mount.running;
        if (gaveUp)
            --mount.hung;
        else
            shareDone(*share);
        while (mount.answering && mount.running < ThreadsPerMount && !mount.waiting.empty()) {
            const std::shared_ptr<Share> next = mount.waiting.front();
            mount.waiting.pop_front();
            start(point, next);
        }
    }

    void stoppedAnswering(const QString& point) {
        Mount& mount = mounts[point];
        ++mount.hung;
        mount.answering = false;
        for (const std::shared_ptr<Share>& share : std::exchange(mount.waiting, {}))
            refuse(share);
        if (!mount.remembered) {
            mount.remembered = timers.createTimer([this, point] {
                Mount& quiet = mounts[point];
                if (quiet.hung > 0)
                    return;  // ticks again
                quiet.remembered->stop();
                quiet.answering = true;
            });
            mount.remembered->setInterval(RememberedMs);
        }
        mount.remembered->start();
        if (std::exchange(mount.told, true))
            return;
        qCWarning(lcChecks, "%s does not answer", qUtf8Printable(point));
        if (notAnswering)
            notAnswering(point);
    }
};

PathChecks::PathChecks(BackgroundWork& work, TimerFactory& timers, NotAnswering notAnswering,
                       std::function<QStringList()> mountPoints)
    : state_(
          std::make_shared<State>(work, timers, std::move(notAnswering), std::move(mountPoints))) {}

PathChecks::~PathChecks() = default;

void PathChecks::Ask(const QStringList& paths, std::function<void(qsizetype)> ask, Answered done) {
    auto question = std::make_shared<Question>(paths.size(), std::move(done));
    const QStringList& points = state_->currentMountPoints();
    std::map<QString, std::shared_ptr<Share>> shares;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        std::shared_ptr<Share>& share = shares[MountOf(paths[i], points)];
        if (!share) {
            share = std::make_shared<Share>();
            share->question = question;
            share->ask = ask;
        }
        share->indexes.push_back(i);
    }
    question->sharesLeft = int(shares.size());
    if (shares.empty()) {
        auto none = std::make_shared<Share>();
        none->question = question;
        question->sharesLeft = 1;
        state_->refuse(none);
        return;
    }
    for (const auto& [point, share] : shares)
        state_->startOrWait(point, share);
}

void PathChecks::AskOne(const QString& path, std::function<void()> ask,
                        std::function<void(bool)> done) {
    Ask(
        {path}, [ask = std::move(ask)](qsizetype) { ask(); },
        [done = std::move(done)](const std::vector<bool>& answered) { done(answered.front()); });
}
