#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// The structures a StatusNotifierItem and its com.canonical.dbusmenu menu
// exchange with a tray host, with their D-Bus marshalling.

// One picture of the icon: width, height and ARGB32 pixels in network byte
// order, (iiay).
struct DBusImage {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};

// The tooltip, (sa(iiay)ss): icon name, pictures, title, description.
struct DBusToolTip {
    QString iconName;
    QList<DBusImage> images;
    QString title;
    QString description;
};

// A menu entry and its children, (ia{sv}av); each child is itself a
// variant holding such a structure.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// A menu entry's properties alone, (ia{sv}).
struct DBusMenuProperties {
    int id = 0;
    QVariantMap properties;
};

// Properties an entry no longer has, (ias).
struct DBusMenuRemoved {
    int id = 0;
    QStringList names;
};

// One event of EventGroup, (isvu).
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

Q_DECLARE_METATYPE(DBusImage)
Q_DECLARE_METATYPE(DBusToolTip)
Q_DECLARE_METATYPE(DBusMenuLayout)
Q_DECLARE_METATYPE(DBusMenuProperties)
Q_DECLARE_METATYPE(DBusMenuRemoved)
Q_DECLARE_METATYPE(DBusMenuEvent)

QDBusArgument& operator<<(QDBusArgument& arg, const DBusImage& image);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusImage& image);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusToolTip& tip);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayout& layout);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuProperties& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuRemoved& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuRemoved& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& event);

// Makes the types known to Qt's D-Bus, once.
void registerDBusTrayTypes();
