#include "QtPlatform.h"

#include "platform/SummonEvents.h"
#include "platform/qt/QtFileWatches.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtTimerFactory.h"
#include "platform/qt/SessionEndWatcher.h"
#include "platform/qt/bus/GlobalShortcutsPortal.h"
#include "platform/qt/bus/QtDesktopNotices.h"
#include "platform/qt/bus/QtRunningCopy.h"
#include "platform/qt/popup/QtQuickFind.h"
#include "platform/qt/tray/QtTray.h"
#include "platform/qt/tree/QtFilterLine.h"
#include "platform/qt/tree/QtOfferStrip.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/QtAboutBox.h"
#include "platform/qt/window/QtChooserBox.h"
#include "platform/qt/window/QtMainWindow.h"
#include "platform/qt/window/QtMessageBoxes.h"
#include "platform/qt/window/QtPathLabel.h"
#include "platform/qt/window/QtPopupMenus.h"
#include "platform/qt/window/QtStatusBar.h"

QtPlatform::QtPlatform()
    : timers_(std::make_unique<QtTimerFactory>()),
      images_(std::make_unique<QtImageList>()),
      pathLabel_(std::make_unique<QtPathLabel>()),
      statusBar_(std::make_unique<QtStatusBar>()),
      dirList_(std::make_unique<QtDirList>(*images_)),
      treeView_(std::make_unique<QtTreeView>(*images_)),
      filterLine_(std::make_unique<QtFilterLine>()),
      offerStrip_(std::make_unique<QtOfferStrip>()),
      window_(std::make_unique<QtMainWindow>(
          QtMainWindow::Controls{*pathLabel_, *statusBar_, driveList_, *dirList_, fileList_,
                                 *treeView_, *filterLine_, *offerStrip_})),
      messages_(std::make_unique<QtMessageBoxes>(window_.get())),
      about_(std::make_unique<QtAboutBox>(*window_)),
      chooser_(std::make_unique<QtChooserBox>(window_.get())),
      menus_(std::make_unique<QtPopupMenus>(window_.get(), treeView_.get(), dirList_.get(),
                                            &fileList_, images_.get())),
      shell_(std::make_unique<QtShell>(*timers_)),
      tray_(std::make_unique<QtTray>(*timers_)),
      notices_(std::make_unique<QtDesktopNotices>()),
      sessionEnd_(std::make_unique<SessionEndWatcher>()),
      fileWatches_(std::make_unique<QtFileWatches>()),
      globalShortcuts_(std::make_unique<GlobalShortcutsPortal>(QDBusConnection::sessionBus())),
      runningCopy_(std::make_unique<QtRunningCopy>()),
      quickFind_(std::make_unique<QtQuickFind>(*images_)) {
    tray_->setMenuPictures(*images_);
}

QtPlatform::~QtPlatform() {
    detach();
}

Platform QtPlatform::platform() {
    return Platform{*timers_,      *messages_,   *menus_,     *shell_,     *tray_,        *window_,
                    *treeView_,    *pathLabel_,  driveList_,  *dirList_,   fileList_,     *images_,
                    *statusBar_,   *about_,      work_,       *notices_,   *fileWatches_, *chooser_,
                    *runningCopy_, *filterLine_, *quickFind_, *offerStrip_};
}

void QtPlatform::attach(const PlatformEvents& events, NodeTree& tree) {
    detach();
    window_->setEvents(&events.window);
    treeView_->attach(&tree, &events.treeView, &events.treeDrop, &events.shellDrop);
    pathLabel_->setEvents(&events.pathLabel);
    driveList_.setEvents(&events.driveList);
    dirList_->setEvents(&events.dirList);
    fileList_.setEvents(&events.fileList);
    tray_->setNotifications(&events.tray);
    filterLine_->setEvents(&events.filterLine);
    sessionEnd_->setHandler([&window = events.window] { window.SessionEnding(); });
    runningCopy_->setEvents(&events.summons);
    // The desktop-wide key summons the pop-up as `varnel --popup` would.
    quickListKey_ = QObject::connect(
        globalShortcuts_.get(), &GlobalShortcutsPortal::activated,
        [&summons = events.summons](const QString& token) { summons.PopupQuickList(token); });
    quickFind_->setEvents(&events.quickFind);
    offerStrip_->setEvents(&events.offerStrip);
}

void QtPlatform::detach() {
    offerStrip_->setEvents(nullptr);
    quickFind_->setEvents(nullptr);
    QObject::disconnect(quickListKey_);
    runningCopy_->setEvents(nullptr);
    filterLine_->setEvents(nullptr);
    sessionEnd_->setHandler({});
    notices_->forgetAnswers();
    tray_->setNotifications(nullptr);
    fileList_.setEvents(nullptr);
    dirList_->setEvents(nullptr);
    driveList_.setEvents(nullptr);
    pathLabel_->setEvents(nullptr);
    treeView_->attach(nullptr, nullptr, nullptr, nullptr);
    window_->setEvents(nullptr);
}
