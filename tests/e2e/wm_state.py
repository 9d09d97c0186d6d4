#!/usr/bin/env python3
"""Does to an X window what a window manager does when it iconifies it
(unmaps it and marks it Iconic in WM_STATE) or when it has mapped it again
(marks it Normal). The journeys run without a window manager, so nobody else
would.
    wm_state.py iconic|normal WINDOW_ID     (DISPLAY names the server)
"""
import ctypes
import sys

STATES = {"normal": 1, "iconic": 3}
PROP_MODE_REPLACE = 0


def main():
    state = STATES[sys.argv[1]]
    window = int(sys.argv[2], 0)
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XUnmapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                     ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_void_p, ctypes.c_int]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    wm_state = xlib.XInternAtom(display, b"WM_STATE", 0)
    if state == STATES["iconic"]:
        xlib.XUnmapWindow(display, window)
    # WM_STATE is two 32-bit items: the state and the icon window (none).
    data = (ctypes.c_long * 2)(state, 0)
    xlib.XChangeProperty(display, window, wm_state, wm_state, 32, PROP_MODE_REPLACE,
                         ctypes.cast(data, ctypes.c_void_p), 2)
    xlib.XSync(display, 0)
    xlib.XCloseDisplay(display)


if __name__ == "__main__":
    main()
