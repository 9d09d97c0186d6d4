#include "QtTray.h"

#include "PopupMenuBuilder.h"
#include "VarnelResources.h"
#include "app/Texts.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

namespace {
QIcon trayIcon(const QString& name) {
    if (name.isEmpty() || name == Texts::programIcon())
        return programIcon();
    return QIcon::fromTheme(name, programIcon());
}
}  // namespace

QtTray::QtTray(TimerFactory& timers, TrayProbe trayAvailable, TrayProbe hostShowsOnlyItsMenu,
               QObject* parent)
    : QObject(parent), trayAvailable_(std::move(trayAvailable)) {
    icon_.setIcon(programIcon());
    retry_ = timers.createTimer([this] { retryTick(); });
    retry_->setInterval(RetryIntervalMs);
    // On an X11 tray the icon has no context menu: the logic opens its own
    // menu a moment after the right button is released. A StatusNotifierItem
    // host may only ever show a menu it was given, so it gets one, prepared
    // by the logic just before it opens.
    if (hostShowsOnlyItsMenu()) {
        hostMenu_ = std::make_unique<QMenu>();
        connect(hostMenu_.get(), &QMenu::aboutToShow, this, &QtTray::refreshHostMenu);
        connect(hostMenu_.get(), &QMenu::triggered, this, &QtTray::hostMenuTriggered);
        icon_.setContextMenu(hostMenu_.get());
    }
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtTray::activated);
}

bool QtTray::statusNotifierHostPresent() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusInterface properties(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return properties.property("IsStatusNotifierHostRegistered").toBool();
}

void QtTray::refreshHostMenu() {
    if (!hostMenu_ || !notifications_)
        return;
    hostMenu_->clear();
    // Move the freshly built entries over, submenus included, so the menu
    // the host holds stays the same object.
    const std::unique_ptr<QMenu> built = buildPopupMenu(notifications_->trayMenuForHost());
    for (QAction* action : built->actions()) {
        action->setParent(hostMenu_.get());
        if (QMenu* submenu = action->menu())
            submenu->setParent(hostMenu_.get(), submenu->windowFlags());
        hostMenu_->addAction(action);
    }
}

void QtTray::hostMenuTriggered(QAction* action) {
    if (notifications_)
        notifications_->trayMenuChosen(menuChoiceOf(action));
}

QtTray::~QtTray() = default;

void QtTray::add(const QString& iconName, const QString& tip) {
    icon_.setIcon(trayIcon(iconName));
    icon_.setToolTip(tip);
    added_ = true;
    if (trayAvailable_()) {
        icon_.show();
        return;
    }
    retriesLeft_ = RetryCount;
    retry_->start();
}

void QtTray::retryTick() {
    if (!added_) {
        retry_->stop();
        return;
    }
    if (trayAvailable_()) {
        retry_->stop();
        icon_.show();
        return;
    }
    if (--retriesLeft_ > 0)
        return;
    retry_->stop();
    if (!reportedUnavailable_ && notifications_) {
        reportedUnavailable_ = true;
        notifications_->trayUnavailable();
    }
}

void QtTray::modifyIcon(const QString& iconName) {
    icon_.setIcon(trayIcon(iconName));
}

void QtTray::modifyTip(const QString& tip) {
    icon_.setToolTip(tip);
}

void QtTray::remove() {
    added_ = false;
    retry_->stop();
    icon_.hide();
}

std::optional<int> QtTray::mouseMessageFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return TrayLeftUp;
    case QSystemTrayIcon::Context:
        return TrayRightUp;
    // The tray reports the second click of a double click on its own; to the
    // logic it is one more release of the left button.
    case QSystemTrayIcon::DoubleClick:
        return TrayLeftUp;
    case QSystemTrayIcon::MiddleClick:
        return TrayMiddleUp;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return std::nullopt;
}

void QtTray::activated(QSystemTrayIcon::ActivationReason reason) {
    // A host with a menu of its own shows it; the logic's popup would be a second one.
    if (hostMenu_ && reason == QSystemTrayIcon::Context)
        return;
    if (const std::optional<int> message = mouseMessageFor(reason); message && notifications_)
        notifications_->trayNotify(0, *message);
}
