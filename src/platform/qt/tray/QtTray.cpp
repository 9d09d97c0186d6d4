#include "QtTray.h"

#include "app/Texts.h"
#include "platform/qt/VarnelResources.h"
#include "platform/qt/tray/MenuIconData.h"
#include "platform/qt/tray/StatusNotifierItem.h"

#include <QDBusConnection>
#include <QGuiApplication>

namespace {
QIcon trayIcon(const QString& name) {
    if (name.isEmpty() || name == Texts::programIcon())
        return programIcon();
    return QIcon::fromTheme(name, programIcon());
}

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}
}  // namespace

QtTray::Desktop QtTray::thisDesktop(StatusNotifierItem* item) {
    Desktop desktop;
    if (item)
        desktop.statusNotifierHost = [item] { return item->hostPresent(); };
    if (onX11())
        desktop.x11Tray = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return desktop;
}

QtTray::QtTray(TimerFactory& timers, QObject* parent) : QtTray(timers, Desktop(), parent) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        DBusMenuExporter::Source menu{
            [this] { return notifications_ ? notifications_->trayMenuForHost() : MenuEntry(); },
            [this] {
                if (notifications_)
                    notifications_->trayMenuAboutToShow();
            },
            [this](MenuChoice choice) {
                if (notifications_)
                    notifications_->trayMenuChosen(choice);
            },
            [this](const QString& image) {
                return iconData_ ? iconData_->of(image) : QByteArray();
            }};
        item_ = std::make_unique<StatusNotifierItem>(bus, std::move(menu));
        connect(item_.get(), &StatusNotifierItem::hostChanged, this, &QtTray::placeIcon);
        // From the event loop: the host waits for its call to return, and
        // a left click may open the window, or a box.
        connect(
            item_.get(), &StatusNotifierItem::activated, this, [this] { notify(TrayLeftUp); },
            Qt::QueuedConnection);
        connect(
            item_.get(), &StatusNotifierItem::contextMenuRequested, this,
            [this] { notify(TrayRightUp); }, Qt::QueuedConnection);
    }
    desktop_ = thisDesktop(item_.get());
}

QtTray::QtTray(TimerFactory& timers, Desktop desktop, QObject* parent)
    : QObject(parent), desktop_(std::move(desktop)) {
    poll_ = timers.createTimer([this] { placeIcon(); });
    poll_->setInterval(X11PollMs);
}

QtTray::~QtTray() = default;

void QtTray::setMenuPictures(const QtImageList& images) {
    iconData_ = std::make_unique<MenuIconData>(images);
}

void QtTray::add(const QString& iconName, const QString& tip) {
    icon_ = trayIcon(iconName);
    tip_ = tip;
    added_ = true;
    placeIcon();
}

void QtTray::modifyIcon(const QString& iconName) {
    icon_ = trayIcon(iconName);
    if (item_)
        item_->setIcon(icon_);
    if (x11Icon_)
        x11Icon_->setIcon(icon_);
}

void QtTray::modifyTip(const QString& tip) {
    tip_ = tip;
    if (item_)
        item_->setToolTip(tip);
    if (x11Icon_)
        x11Icon_->setToolTip(tip);
}

void QtTray::remove() {
    added_ = false;
    poll_->stop();
    moveTo(Place::Nowhere);
}

// Only a host's menu is read ahead of showing; the X11 tray's is built
// anew at each right click.
void QtTray::menuChanged() {
    if (item_)
        item_->menuChanged();
}

// A StatusNotifierItem host is asked first: where one runs, an X11 tray
// often runs beside it only for older programs. Qt decides once, when it
// first makes a tray icon, whether its icons are StatusNotifierItems; so its
// X11 icon is made, and the X11 tray looked for, only while no host is
// there, and Qt's icon then stays an X11 one for good.
void QtTray::placeIcon() {
    if (!added_)
        return;
    if (desktop_.statusNotifierHost && desktop_.statusNotifierHost()) {
        moveTo(Place::StatusNotifier);
    } else if (desktop_.x11Tray && desktop_.x11Tray()) {
        moveTo(Place::X11);
    } else {
        moveTo(Place::Nowhere);
    }
    // An X11 tray says nothing when it comes or goes; a host's watcher does.
    if (desktop_.x11Tray && place_ != Place::StatusNotifier)
        poll_->start();
    else
        poll_->stop();
    if (place_ != Place::Nowhere)
        report(TrayHost::Present);
    else  // a panel that starts with the session, or restarts, comes shortly
        report(desktop_.x11Tray || hadTray_ ? TrayHost::Awaited : TrayHost::Absent);
}

void QtTray::moveTo(Place place) {
    if (place == Place::StatusNotifier && item_) {
        item_->setIcon(icon_);  // before the host first asks for them
        item_->setToolTip(tip_);
    }
    if (place == Place::StatusNotifier && !(item_ && item_->show()))
        place = Place::Nowhere;  // the watcher would not take it
    if (place != Place::StatusNotifier && item_)
        item_->hide();
    if (place == Place::X11) {
        if (!x11Icon_) {
            x11Icon_ = std::make_unique<QSystemTrayIcon>();
            connect(x11Icon_.get(), &QSystemTrayIcon::activated, this, &QtTray::activated);
        }
        x11Icon_->setIcon(icon_);
        x11Icon_->setToolTip(tip_);
        x11Icon_->show();
    } else if (x11Icon_) {
        x11Icon_->hide();
    }
    place_ = place;
    hadTray_ = hadTray_ || place != Place::Nowhere;
}

void QtTray::report(TrayHost host) {
    if (reported_ == host)
        return;
    reported_ = host;
    if (notifications_)
        notifications_->trayHostChanged(host);
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
    if (const std::optional<int> message = mouseMessageFor(reason))
        notify(*message);
}

void QtTray::notify(int mouseMessage) {
    if (notifications_)
        notifications_->trayNotify(0, mouseMessage);
}
