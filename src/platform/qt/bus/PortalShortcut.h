#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// One shortcut as the desktop portal's GlobalShortcuts interface passes it:
// the application's id for it and a dictionary of what is known about it
// ("description" going out; "description" and "trigger_description" coming
// back). On the bus a list of them is a(sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap details;
};
using PortalShortcutList = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcut& shortcut);

// Makes the types known to QtDBus; harmless when called again.
void registerPortalShortcutTypes();

// The list carried in a portal answer's value: empty when it is missing or
// not a list of shortcuts.
PortalShortcutList portalShortcutsIn(const QVariant& value);

Q_DECLARE_METATYPE(PortalShortcut)
Q_DECLARE_METATYPE(PortalShortcutList)
