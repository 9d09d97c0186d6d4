#pragma once

#include "Geometry.h"

#include <QString>
#include <optional>

// The controls of the main window that have a rectangle, in the order they
// were designed.
enum class Control { DriveList, DirList, FileList, TreeView, PathDisp, BarStatus };

// Pointer shapes of the main window.
enum MousePointer : int { PointerDefault = 0, PointerBusy = 11 };

// The main window as the logic sees it: visibility, geometry in twips, state,
// pointer, the path label and the status bar, and the rectangles of its
// controls.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual void bringToFront() = 0;

    // The window's rectangle on the screen, without the desktop's frame.
    virtual TwipsRect geometry() const = 0;
    virtual void setGeometry(const TwipsRect& rect) = 0;
    virtual int innerWidth() const = 0;
    virtual int windowState() const = 0;
    virtual void setWindowState(int state) = 0;
    virtual TwipsSize screenSize() const = 0;

    virtual void setMousePointer(int pointer) = 0;

    virtual QString pathDisp() const = 0;
    virtual void setPathDisp(const QString& caption) = 0;
    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString& text) = 0;

    // Empty when the control has no rectangle to read.
    virtual std::optional<TwipsRect> controlRect(Control control) const = 0;
    virtual void setControlRect(Control control, const TwipsRect& rect) = 0;
    virtual bool isControlVisible(Control control) const = 0;
    virtual void setControlVisible(Control control, bool visible) = 0;

    // Ends the program once the window has been unloaded.
    virtual void quit() = 0;
};
