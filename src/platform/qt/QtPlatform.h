#pragma once

#include "platform/Platform.h"

#include <memory>

class MainWindowEvents;
class NodeTree;
class NodeTreeModel;
class QtImageList;
class QtMainWindow;
class QtMessageBoxes;
class QtPopupMenus;
class QtShell;
class QtTimerFactory;
class QtTray;
class SessionEndWatcher;

// The real desktop: owns every Qt-side service the logic runs on. Build it
// after the QApplication; attach the logic once it exists and detach it before
// the logic (and its tree) go away.
class QtPlatform {
public:
    QtPlatform();
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform platform();

    // Delivers the window's, tree's, tray's and session's events to the
    // logic, and shows its tree in the tree view.
    void attach(MainWindowEvents& events, NodeTree& tree);
    void detach();

    QtMainWindow& window() { return *window_; }
    QtImageList& images() { return *images_; }
    QtTray& tray() { return *tray_; }

private:
    std::unique_ptr<QtTimerFactory> timers_;
    std::unique_ptr<QtImageList> images_;
    std::unique_ptr<QtMainWindow> window_;
    std::unique_ptr<QtMessageBoxes> messages_;
    std::unique_ptr<QtPopupMenus> menus_;
    std::unique_ptr<QtShell> shell_;
    std::unique_ptr<QtTray> tray_;
    std::unique_ptr<SessionEndWatcher> sessionEnd_;
    std::unique_ptr<NodeTreeModel> model_;
};
