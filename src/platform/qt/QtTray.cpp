#include "QtTray.h"

#include "VarnelResources.h"

namespace {
QIcon trayIcon(const QString& name) {
    if (name.isEmpty() || name == QLatin1String("varnel"))
        return programIcon();
    return QIcon::fromTheme(name, programIcon());
}
}  // namespace

QtTray::QtTray(TimerFactory& timers, TrayProbe trayAvailable, QObject* parent)
    : QObject(parent), trayAvailable_(std::move(trayAvailable)) {
    icon_.setIcon(programIcon());
    retry_ = timers.createTimer([this] { retryTick(); });
    retry_->setInterval(RetryIntervalMs);
    // No context menu on the icon: the logic opens its own menu a moment
    // after the right button is released.
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtTray::activated);
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
    if (const std::optional<int> message = mouseMessageFor(reason); message && notifications_)
        notifications_->trayNotify(0, *message);
}
