#pragma once

#include "platform/Platform.h"
#include "platform/PlatformEvents.h"
#include "platform/qt/QtBackgroundWork.h"
#include "platform/qt/browser/QtBrowserLists.h"
#include "platform/qt/browser/QtDriveList.h"

#include <QObject>
#include <memory>

class NodeTree;
class QtFileWatches;
class QtFilterLine;
class QtImageList;
class QtMainWindow;
class QtMessageBoxes;
class QtOfferStrip;
class QtAboutBox;
class QtDesktopNotices;
class GlobalShortcutsPortal;
class QtChooserBox;
class QtPathLabel;
class QtStatusBar;
class QtPopupMenus;
class QtRunningCopy;
class QtQuickFind;
class QtShell;
class QtTimerFactory;
class QtTray;
class QtTreeView;
class SessionEndWatcher;

// The real desktop: owns every Qt-side service and control the logic runs
// on. Build it after the QApplication; attach the logic once it exists and
// detach it before the logic (and its tree) go away.
class QtPlatform {
public:
    QtPlatform();
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform platform();

    // Delivers each control's events to the logic, and shows its tree in the
    // tree view once the window is built.
    void attach(const PlatformEvents& events, NodeTree& tree);
    void detach();

    QtMainWindow& window() { return *window_; }
    QtTreeView& treeView() { return *treeView_; }
    QtImageList& images() { return *images_; }
    QtDirList& dirList() { return *dirList_; }
    QtFileList& fileList() { return fileList_; }
    QtTray& tray() { return *tray_; }
    // The desktop-wide Quick List key; started by the copy that runs on.
    GlobalShortcutsPortal& globalShortcuts() { return *globalShortcuts_; }
    QtRunningCopy& runningCopy() { return *runningCopy_; }
    QtQuickFind& quickFind() { return *quickFind_; }

private:
    std::unique_ptr<QtTimerFactory> timers_;
    std::unique_ptr<QtImageList> images_;
    std::unique_ptr<QtPathLabel> pathLabel_;
    std::unique_ptr<QtStatusBar> statusBar_;
    QtDriveList driveList_;
    std::unique_ptr<QtDirList> dirList_;
    QtFileList fileList_;
    QtBackgroundWork work_;
    std::unique_ptr<QtTreeView> treeView_;
    std::unique_ptr<QtFilterLine> filterLine_;
    std::unique_ptr<QtOfferStrip> offerStrip_;
    std::unique_ptr<QtMainWindow> window_;
    std::unique_ptr<QtMessageBoxes> messages_;
    std::unique_ptr<QtAboutBox> about_;
    std::unique_ptr<QtChooserBox> chooser_;
    std::unique_ptr<QtPopupMenus> menus_;
    std::unique_ptr<QtShell> shell_;
    std::unique_ptr<QtTray> tray_;
    std::unique_ptr<QtDesktopNotices> notices_;
    std::unique_ptr<SessionEndWatcher> sessionEnd_;
    std::unique_ptr<QtFileWatches> fileWatches_;
    std::unique_ptr<GlobalShortcutsPortal> globalShortcuts_;
    std::unique_ptr<QtRunningCopy> runningCopy_;
    QMetaObject::Connection quickListKey_;
    std::unique_ptr<QtQuickFind> quickFind_;
};
