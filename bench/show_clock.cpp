// Times, from outside, how long a program takes from a click on its tray
// icon to a drawn window: for bench/show_probe.sh, under an X server with no
// window manager (Xvfb).
//   show_clock PID ICON_X ICON_Y WxH+DX+DY rows|painted [TIMEOUT_SECONDS]
// Moves the pointer onto the icon, lets it settle, then clicks it through
// the XTEST extension (the clock starts just before the press) and waits
// for a top-level window of process PID (_NET_WM_PID) to be mapped on the
// screen; then reads the rectangle WxH at DX,DY of that window every 2 ms
// until it is drawn:
//   painted  nine in ten of its pixels are light (an empty list's white);
//   rows     half of them are light and some are dark (text on white).
// The root window is made black first, so that a mapped but unpainted
// window (Qt leaves no background of its own) reads as dark.
// Prints "MAP_MS DRAWN_MS WINDOW" and exits 0, or exits 1 on time-out.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

long windowPid(Display* display, Window window) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

// Whether a window lies on the screen: the program may show its window
// beyond the screen's right edge for a moment while it is still hidden.
bool onScreen(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.x < WidthOfScreen(attributes.screen) && attributes.x + attributes.width > 0;
}

bool drawn(Display* display, Window window, const XRectangle& area, bool rows) {
    XImage* image =
        XGetImage(display, window, area.x, area.y, area.width, area.height, AllPlanes, ZPixmap);
    if (!image)
        return false;
    long light = 0, dark = 0;
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned red = (pixel >> 16) & 0xff, green = (pixel >> 8) & 0xff,
                           blue = pixel & 0xff;
            if (red >= 0xc0 && green >= 0xc0 && blue >= 0xc0)
                ++light;
            else if (red < 0x80 && green < 0x80 && blue < 0x80)
                ++dark;
        }
    XDestroyImage(image);
    const long all = long(area.width) * area.height;
    return rows ? light * 2 >= all && dark >= 20 : light * 10 >= all * 9;
}

using FakeButton = int (*)(Display*, unsigned, Bool, unsigned long);
}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s PID ICON_X ICON_Y WxH+DX+DY rows|painted [SECONDS]\n",
                     argv[0]);
        return 2;
    }
    const long pid = std::atol(argv[1]);
    const int iconX = std::atoi(argv[2]), iconY = std::atoi(argv[3]);
    XRectangle area{};
    if (std::sscanf(argv[4], "%hux%hu+%hd+%hd", &area.width, &area.height, &area.x, &area.y) != 4)
        return 2;
    const bool rows = std::strcmp(argv[5], "rows") == 0;
    const double timeout = argc > 6 ? std::atof(argv[6]) * 1000 : 120000;

    Display* display = XOpenDisplay(nullptr);
    void* xtest = dlopen("libXtst.so.6", RTLD_NOW);
    auto fakeButton =
        xtest ? reinterpret_cast<FakeButton>(dlsym(xtest, "XTestFakeButtonEvent")) : nullptr;
    if (!display || !fakeButton) {
        std::fprintf(stderr, "no X display, or no libXtst.so.6\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSetWindowBackground(display, root, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, root);
    XSelectInput(display, root, SubstructureNotifyMask);
    XWarpPointer(display, None, root, 0, 0, 0, 0, iconX, iconY);
    XSync(display, False);
    usleep(150000);

    const Clock::time_point start = Clock::now();
    fakeButton(display, 1, True, CurrentTime);
    fakeButton(display, 1, False, CurrentTime);
    XFlush(display);

    Window shown = None;
    while (shown == None) {
        while (shown == None && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect &&
                event.xmap.event == root && windowPid(display, event.xmap.window) == pid &&
                onScreen(display, event.xmap.window))
                shown = event.xmap.window;
        }
        if (shown != None)
            break;
        if (millisecondsSince(start) > timeout)
            return 1;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 50);
    }
    const double mapped = millisecondsSince(start);
    while (!drawn(display, shown, area, rows)) {
        if (millisecondsSince(start) > timeout)
            return 1;
        usleep(2000);
    }
    std::printf("%.1f %.1f %lu\n", mapped, millisecondsSince(start), shown);
    return 0;
}
