#include "SessionEndWatcher.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace {
constexpr int WatchedSignals[] = {SIGTERM, SIGHUP, SIGINT};

// [0] is written by the handler, [1] read by the event loop. One watcher at a
// time owns them.
int signalSockets[2] = {-1, -1};

extern "C" void onSessionSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

void setDisposition(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : WatchedSignals)
        sigaction(signalNumber, &action, nullptr);
}
}  // namespace

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent) {
    if (signalSockets[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) == 0) {
        // A handler must never block, even should the loop fall behind.
        ::fcntl(signalSockets[0], F_SETFL, ::fcntl(signalSockets[0], F_GETFL) | O_NONBLOCK);
        notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionEndWatcher::signalArrived);
        setDisposition(onSessionSignal);
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(
            app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { report(); },
            Qt::DirectConnection);
    }
}

SessionEndWatcher::~SessionEndWatcher() {
    if (!notifier_)
        return;
    // A program that is ending keeps ignoring them to its last step.
    setDisposition(reported_ ? SIG_IGN : SIG_DFL);
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void SessionEndWatcher::signalArrived() {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(signalSockets[1], &byte, 1);
    report();
}

void SessionEndWatcher::report() {
    if (reported_)
        return;
    reported_ = true;
    // The end in order is short (a save that fails asks nothing then) and
    // must reach the lock's removal: a signal sent to the whole process group
    // comes twice (timeout(1) signals the child, then its group), and the
    // second must not cut it short.
    if (notifier_)
        setDisposition(SIG_IGN);
    if (onSessionEnd_)
        onSessionEnd_();
}
