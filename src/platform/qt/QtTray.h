#pragma once

#include "platform/Timer.h"
#include "platform/TrayIconPort.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <optional>

// The tray icon over QSystemTrayIcon. A desktop whose tray comes up after us
// (a panel that starts late) is waited for; one that has none at all is
// reported once, so the program can stay reachable through its window.
class QtTray : public QObject, public TrayIconPort {
    Q_OBJECT
public:
    static constexpr int RetryIntervalMs = 500;
    static constexpr int RetryCount = 20;  // ten seconds in all

    using TrayProbe = std::function<bool()>;
    // hostShowsOnlyItsMenu: the tray is a StatusNotifierItem host, which may
    // show nothing on a right click but a menu it was given.
    explicit QtTray(TimerFactory& timers,
                    TrayProbe trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable,
                    TrayProbe hostShowsOnlyItsMenu = &statusNotifierHostPresent,
                    QObject* parent = nullptr);
    ~QtTray() override;

    void setNotifications(TrayNotifications* notifications) { notifications_ = notifications; }

    void add(const QString& iconName, const QString& tip) override;
    void modifyIcon(const QString& iconName) override;
    void modifyTip(const QString& tip) override;
    void remove() override;

    bool isShown() const { return icon_.isVisible(); }
    QString toolTip() const { return icon_.toolTip(); }

    // What the tray reports of the mouse on the icon, as the logic's mouse
    // message; none for what the logic has no event for.
    static std::optional<int> mouseMessageFor(QSystemTrayIcon::ActivationReason reason);
    void activated(QSystemTrayIcon::ActivationReason reason);

    static bool statusNotifierHostPresent();
    // The menu handed to such a host, rebuilt from the logic each time it opens.
    QMenu* hostMenu() const { return hostMenu_.get(); }
    void refreshHostMenu();

private:
    void retryTick();
    void hostMenuTriggered(QAction* action);

    std::unique_ptr<QMenu> hostMenu_;

    QSystemTrayIcon icon_;
    TrayProbe trayAvailable_;
    std::unique_ptr<Timer> retry_;
    TrayNotifications* notifications_ = nullptr;
    int retriesLeft_ = 0;
    bool added_ = false;
    bool reportedUnavailable_ = false;
};
