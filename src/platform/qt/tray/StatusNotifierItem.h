#pragma once

#include "platform/qt/tray/DBusMenuExporter.h"
#include "platform/qt/tray/DBusTrayTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QIcon>
#include <QObject>

class QDBusServiceWatcher;

// The tray icon as a StatusNotifierItem (KDE Plasma, GNOME's AppIndicator
// extension, Xfce, LXQt): the item and its menu on the session bus, and a
// watch on the hosts' watcher, which may come late, go away and come back.
class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    StatusNotifierItem(const QDBusConnection& bus, DBusMenuExporter::Source menu,
                       QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Whether a host shows items now: the watcher is on the bus and tells of
    // a host.
    bool hostPresent() const;
    // Puts the item in the watcher's list (again, after a watcher restarted);
    // false when the watcher would not take it.
    bool show();
    void hide();

    void setIcon(const QIcon& icon);
    void setToolTip(const QString& tip);
    // The menu may show otherwise now: the host is told if it did change.
    void menuChanged() { menu_->menuChanged(); }

    // For the item's D-Bus interface.
    QString title() const;
    QString toolTip() const { return toolTip_; }
    const QList<DBusImage>& pixmaps() const { return pixmaps_; }

Q_SIGNALS:
    // A host came or went.
    void hostChanged();
    // What the host reports of the user: a click, a request for the menu.
    void activated();
    void contextMenuRequested();
    void middleClicked();
    // For the interface's signals.
    void iconChanged();
    void toolTipChanged();

private:
    QDBusConnection bus_;
    QDBusServiceWatcher* watcher_;
    DBusMenuExporter* menu_;
    QString serviceName_;
    QString registeredWith_;  // the watcher's owner that has the item
    QList<DBusImage> pixmaps_;
    QString toolTip_;
    bool shown_ = false;
};

// org.kde.StatusNotifierItem, the item's own interface.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QList<DBusImage> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyName)
    Q_PROPERTY(QList<DBusImage> OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ emptyName)
    Q_PROPERTY(QList<DBusImage> AttentionIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionMovieName READ emptyName)
    Q_PROPERTY(DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem* item);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const;
    QString title() const { return item_->title(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return {}; }  // the pictures below are ours
    QList<DBusImage> iconPixmap() const { return item_->pixmaps(); }
    QString emptyName() const { return {}; }
    QList<DBusImage> noPixmap() const { return {}; }
    DBusToolTip toolTip() const;
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const;

public Q_SLOTS:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString& orientation);

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem* item_;
};
