#pragma once

#include "platform/Timer.h"
#include "platform/TrayIconPort.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <optional>

class MenuIconData;
class QtImageList;
class StatusNotifierItem;

// The tray icon on every Linux desktop. Where a StatusNotifierItem host runs
// (Plasma, GNOME's AppIndicator extension, Xfce, LXQt), the icon is an item
// of ours on the session bus; otherwise, on X11, an icon in the X11 tray.
// Either may come after the program or go away at any time: the icon moves
// to whichever there is, and the logic hears where it stands.
class QtTray : public QObject, public TrayIconPort {
    Q_OBJECT
public:
    static constexpr int X11PollMs = 1000;  // an X11 tray says nothing when it comes or goes

    // What the desktop offers, asked again whenever it may have changed.
    struct Desktop {
        std::function<bool()> statusNotifierHost;  // null: no session bus to look on
        std::function<bool()> x11Tray;             // null: not an X11 session
    };
    static Desktop thisDesktop(StatusNotifierItem* item);

    explicit QtTray(TimerFactory& timers, QObject* parent = nullptr);
    // With a desktop of the test's making, and no item on any bus.
    QtTray(TimerFactory& timers, Desktop desktop, QObject* parent = nullptr);
    ~QtTray() override;

    void setNotifications(TrayNotifications* notifications) { notifications_ = notifications; }
    // Where the pictures of the menu's entries come from, for a host that
    // shows the menu it is given; without, it shows none.
    void setMenuPictures(const QtImageList& images);

    void add(const QString& iconName, const QString& tip) override;
    void modifyIcon(const QString& iconName) override;
    void modifyTip(const QString& tip) override;
    void remove() override;
    void menuChanged() override;

    // Where the icon is shown now.
    enum class Place { Nowhere, StatusNotifier, X11 };
    Place place() const { return place_; }
    QString toolTip() const { return tip_; }

    // What the tray reports of the mouse on the icon, as the logic's mouse
    // message; none for what the logic has no event for.
    static std::optional<int> mouseMessageFor(QSystemTrayIcon::ActivationReason reason);
    void activated(QSystemTrayIcon::ActivationReason reason);

    // Looks again where the icon can be shown, and moves it there.
    void placeIcon();

private:
    void moveTo(Place place);
    void report(TrayHost host);
    void notify(int mouseMessage);

    std::unique_ptr<MenuIconData> iconData_;
    std::unique_ptr<StatusNotifierItem> item_;
    Desktop desktop_;
    std::unique_ptr<QSystemTrayIcon> x11Icon_;  // made only when needed: see placeIcon()
    std::unique_ptr<Timer> poll_;
    TrayNotifications* notifications_ = nullptr;
    QIcon icon_;
    QString tip_;
    Place place_ = Place::Nowhere;
    std::optional<TrayHost> reported_;
    bool added_ = false;
    bool hadTray_ = false;
};
