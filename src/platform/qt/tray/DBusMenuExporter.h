#pragma once

#include "platform/PopupMenu.h"
#include "platform/qt/tray/DBusTrayTypes.h"

#include <QDBusAbstractAdaptor>
#include <functional>

// The tray menu as a tray host sees it over D-Bus (com.canonical.dbusmenu).
// Each entry's number is derived from its identifier and index, so it stays
// the same however often the menu changes; the layout is complete from the
// start; captions reach the host exactly as written.
class DBusMenuExporter : public QObject {
    Q_OBJECT
public:
    // The PNG picture of an entry's image key, empty for none.
    using IconData = std::function<QByteArray(const QString& image)>;
    struct Source {
        std::function<MenuEntry()> menu;    // the menu as it shows now
        std::function<void()> aboutToShow;  // prepares it, as a right click does
        std::function<void(MenuChoice)> chosen;
        IconData iconData = {};  // none: no pictures
    };

    // Exports the menu at path on the connection.
    DBusMenuExporter(Source source, QObject* parent = nullptr);

    // The layout of a menu, each entry numbered by (identifier, index); an
    // entry with an image carries its picture as "icon-data".
    static DBusMenuLayout layoutOf(const MenuEntry& root, const IconData& iconData = {});
    // The entry a number names in the menu, if any.
    static std::optional<MenuChoice> choiceOf(const MenuEntry& root, int number);
    // A caption as dbusmenu shows it literally: "_" would mark an access key.
    static QString labelOf(const QString& caption);

    uint revision() const { return revision_; }
    const DBusMenuLayout& layout();
    bool aboutToShow();
    // The menu may show otherwise now: a host that holds it hears of the new
    // layout, if it did change.
    void menuChanged();
    void event(int number, const QString& eventId);

Q_SIGNALS:
    void layoutUpdated(uint revision, int parent);

private:
    bool refresh();

    Source source_;
    DBusMenuLayout layout_;
    uint revision_ = 1;
};

// The com.canonical.dbusmenu interface of the exporter.
class DBusMenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    explicit DBusMenuAdaptor(DBusMenuExporter* exporter);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   DBusMenuLayout& layout);
    QList<DBusMenuProperties> GetGroupProperties(const QList<int>& ids, const QStringList& names);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const QList<DBusMenuEvent>& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

Q_SIGNALS:
    void ItemsPropertiesUpdated(const QList<DBusMenuProperties>& updated,
                                const QList<DBusMenuRemoved>& removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenuExporter* exporter_;
};
