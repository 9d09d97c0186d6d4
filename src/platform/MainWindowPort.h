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
// pointer and the rectangles of its controls. Its widgets may be built only
// when first shown; until then it keeps what it is given as data.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual void bringToFront() = 0;

    // The window's own area on the screen, without the desktop's frame.
    virtual TwipsRect geometry() const = 0;
    // False where the window system keeps a window's place from it
    // (Wayland): the top and left of geometry() then mean nothing.
    virtual bool knowsPosition() const = 0;
    virtual void setGeometry(const TwipsRect& rect) = 0;
    virtual int windowState() const = 0;
    virtual void setWindowState(int state) = 0;
    virtual TwipsSize screenSize() const = 0;
    // The twips in one pixel across, on the window's screen.
    virtual float twipsPerPixelX() const = 0;

    virtual void setMousePointer(int pointer) = 0;

    // Empty when the control has no rectangle to read.
    virtual std::optional<TwipsRect> controlRect(Control control) const = 0;
    virtual void setControlRect(Control control, const TwipsRect& rect) = 0;

    // Ends the program once the window has been unloaded.
    virtual void quit() = 0;

    // Whether the window has the keyboard focus (it is the active one).
    virtual bool isActive() const = 0;
    // The token another program got from the desktop for bringing a window
    // forward: the next show or bringToFront uses it, so that the desktop's
    // focus-stealing prevention lets the window take the focus.
    virtual void useActivationToken(const QString& token) = 0;
    // The least height, in twips, at which the control shows a line of its
    // text whole in the font it has now; 0 for a control that needs none or
    // has no widget yet.
    virtual std::int32_t controlMinHeight(Control control) const = 0;
};

// Why the main window is asked to close.
enum UnloadMode : int {
    vbFormControlMenu = 0,  // its close box or system menu
    vbFormCode = 1,         // the program unloads itself
    vbAppWindows = 2,       // the session ends (log-off, shut-down, a signal)
};

// What the user does to the window itself, and the end of the session.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    // Returns true to cancel the close.
    virtual bool Form_QueryUnload(int unloadMode) = 0;
    virtual void Form_Resize() = 0;
    // The session is ending: unload in order, saving, then end the program.
    virtual void SessionEnding() = 0;
    // The pointer moves over the window where no control is.
    virtual void Form_MouseMove() = 0;
};

// The status bar BarStatus: one line of text.
class StatusBarPort {
public:
    virtual ~StatusBarPort() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// The About box: modal, at the rectangle given, in twips.
class AboutBoxPort {
public:
    virtual ~AboutBoxPort() = default;
    virtual TwipsSize size() const = 0;
    virtual void showModal(const TwipsRect& rect) = 0;
};
