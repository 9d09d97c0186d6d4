#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Tells the program that the session is ending: the session manager's request
// to save (log-off, shut-down) or one of SIGTERM, SIGHUP and SIGINT. A signal
// handler may do next to nothing, so it only writes a byte into a socket pair;
// the event loop reads it and reports the end on the user-interface thread.
// Once reported, further signals are ignored: the end in order runs to its
// close, the lock's removal with it. It is bounded (a save that fails then
// shows no box); SIGKILL remains for a program that hangs.
class SessionEndWatcher : public QObject {
    Q_OBJECT
public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;

    void setHandler(std::function<void()> onSessionEnd) { onSessionEnd_ = std::move(onSessionEnd); }
    bool isWatchingSignals() const { return notifier_ != nullptr; }

private:
    void signalArrived();
    void report();

    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onSessionEnd_;
    bool reported_ = false;
};
