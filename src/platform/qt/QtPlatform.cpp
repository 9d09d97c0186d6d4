#include "QtPlatform.h"

#include "NodeTreeModel.h"
#include "QtImageList.h"
#include "QtMainWindow.h"
#include "QtMessageBoxes.h"
#include "QtPopupMenus.h"
#include "QtShell.h"
#include "QtTimerFactory.h"
#include "QtTray.h"
#include "SessionEndWatcher.h"
#include "platform/MainWindowEvents.h"

QtPlatform::QtPlatform()
    : timers_(std::make_unique<QtTimerFactory>()),
      images_(std::make_unique<QtImageList>()),
      window_(std::make_unique<QtMainWindow>()),
      messages_(std::make_unique<QtMessageBoxes>(window_.get())),
      menus_(std::make_unique<QtPopupMenus>(window_.get())),
      shell_(std::make_unique<QtShell>(*timers_)),
      tray_(std::make_unique<QtTray>(*timers_)),
      sessionEnd_(std::make_unique<SessionEndWatcher>()) {}

QtPlatform::~QtPlatform() {
    detach();
}

Platform QtPlatform::platform() {
    return Platform{*timers_, *messages_, *menus_, *shell_, *tray_, *window_, *window_};
}

void QtPlatform::attach(MainWindowEvents& events, NodeTree& tree) {
    detach();
    model_ = std::make_unique<NodeTreeModel>(tree, *images_);
    window_->attach(&events, model_.get());
    tray_->setNotifications(&events);
    sessionEnd_->setHandler([&events] { events.SessionEnding(); });
}

void QtPlatform::detach() {
    sessionEnd_->setHandler({});
    tray_->setNotifications(nullptr);
    window_->attach(nullptr, nullptr);
    model_.reset();
}
