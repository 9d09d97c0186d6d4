#include "ApplicationSetup.h"

#include "app/Texts.h"

#include <QApplication>

void SetUpApplication() {
    // The program lives in the tray: a hidden window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // The name under the configuration folder, and the desktop file by which
    // Wayland compositors and task bars know the program's windows.
    QCoreApplication::setApplicationName(Texts::programIcon());
    QGuiApplication::setDesktopFileName(Texts::programIcon());
    // No display name: on X11 Qt adds it to every window's title, and a
    // message box must read "Entry Error", not "Entry Error — Varnel". The
    // tray names the program itself.
}
