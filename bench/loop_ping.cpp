// Measures, from outside, how long a Qt program's user-interface thread
// stops answering: for bench/dead_mount_probe.sh.
//   loop_ping WINDOW LOG STATUS [INTERVAL_MS]
// Sends WINDOW (any window of the program: its tray icon will do) the
// window manager's ping, a WM_PROTOCOLS client message carrying
// _NET_WM_PING. Qt answers it from its event loop on the user-interface
// thread (QXcbWindow::handleClientMessageEvent sends it back to the root
// window), and only from there: its X reader thread merely queues events.
// So the time a ping waits for its answer is the time the event loop was
// kept from running, plus an X round trip (a fraction of a millisecond).
// One ping at a time, the next INTERVAL_MS (default 5) after an answer, so
// a pause is seen to within about that much.
//   LOG     one line per answer slower than 20 ms: "SENT_MS WAITED_MS", the
//           sending time in milliseconds of the epoch (as `date +%s%3N`);
//   STATUS  rewritten at most every 50 ms: "NOW_MS WAITING_MS", where
//           WAITING_MS is how long the ping in flight has waited so far.
// Runs until SIGTERM or SIGINT, then prints "pings N longest L ms", and how
// long the ping in flight had waited if it was not answered.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {
volatile std::sig_atomic_t stopping = 0;

void stop(int) {
    stopping = 1;
}

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

bool windowGone = false;

int noteError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow)
        windowGone = true;
    return 0;
}

void writeStatus(int fd, double now, double waiting) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.0f %.0f\n", now, waiting);
    if (length > 0 && pwrite(fd, text, std::size_t(length), 0) == length)
        (void)!ftruncate(fd, length);
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s WINDOW LOG STATUS [INTERVAL_MS]\n", argv[0]);
        return 2;
    }
    const Window target = std::strtoul(argv[1], nullptr, 0);
    std::FILE* log = std::fopen(argv[2], "w");
    const int status = open(argv[3], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int interval = argc > 4 ? std::atoi(argv[4]) : 5;
    Display* display = XOpenDisplay(nullptr);
    if (!display || !log || status < 0)
        return 2;
    std::setvbuf(log, nullptr, _IOLBF, 0);
    std::signal(SIGTERM, stop);
    std::signal(SIGINT, stop);
    XSetErrorHandler(noteError);
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    // Qt sends its answer to the root window, for the clients that listen
    // to the root's structure or redirect its substructure.
    XSelectInput(display, root, StructureNotifyMask);

    long serial = 0, pings = 0;
    double longest = 0, lastStatus = 0, unanswered = 0;
    while (!stopping && !windowGone) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = target;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(ping);
        event.xclient.data.l[1] = ++serial;
        event.xclient.data.l[2] = long(target);
        const double sent = nowMs();
        XSendEvent(display, target, False, NoEventMask, &event);
        XFlush(display);
        bool answered = false;
        while (!answered && !stopping && !windowGone) {
            while (XPending(display)) {
                XEvent reply;
                XNextEvent(display, &reply);
                if (reply.type == ClientMessage && reply.xclient.message_type == protocols &&
                    Atom(reply.xclient.data.l[0]) == ping && reply.xclient.data.l[1] == serial)
                    answered = true;
            }
            const double now = nowMs();
            if (now - lastStatus >= 50) {
                writeStatus(status, now, answered ? 0 : now - sent);
                lastStatus = now;
            }
            if (answered)
                break;
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 20);
        }
        if (!answered) {
            unanswered = nowMs() - sent;
            break;
        }
        const double waited = nowMs() - sent;
        ++pings;
        longest = std::max(longest, waited);
        if (waited >= 20)
            std::fprintf(log, "%.0f %.1f\n", sent, waited);
        usleep(useconds_t(interval) * 1000);
    }
    std::printf("pings %ld longest %.1f ms", pings, longest);
    if (unanswered > 0)
        std::printf(", the last unanswered after %.1f ms", unanswered);
    std::printf("%s\n", windowGone ? " (the window went away)" : "");
    return 0;
}
