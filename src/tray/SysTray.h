#pragma once

#include <QString>
#include <functional>

class TrayIconPort;

// A picture for the tray: only icons can be shown there.
struct TrayPicture {
    enum Kind { Empty, Icon, Bitmap };
    Kind kind = Empty;
    QString name;
};

// The tray icon control: keeps one icon with its tip in the tray while InTray
// is set, and turns mouse notifications on it into events.
class SysTray {
public:
    explicit SysTray(TrayIconPort& port);
    ~SysTray();
    SysTray(const SysTray&) = delete;
    SysTray& operator=(const SysTray&) = delete;

    bool InTray() const { return inTray_; }
    void SetInTray(bool inTray);
    const TrayPicture& TrayIcon() const { return icon_; }
    void SetTrayIcon(const TrayPicture& picture);
    const QString& TrayTip() const { return tip_; }
    void SetTrayTip(const QString& tip);

    // A notification from the tray: raises the event for the mouse message.
    void notify(int iconId, int mouseMessage);

    std::function<void(int iconId)> MouseMove;
    std::function<void(int button, int iconId)> MouseDown;
    std::function<void(int button, int iconId)> MouseUp;
    std::function<void(int button, int iconId)> MouseDblClick;

    static constexpr int MaxTipLength = 63;  // the tray's tip field holds 63 characters

private:
    QString shownTip() const;

    TrayIconPort& port_;
    bool inTray_ = false;
    bool added_ = false;
    TrayPicture icon_;
    QString tip_ = QStringLiteral("Tray icon");
};
