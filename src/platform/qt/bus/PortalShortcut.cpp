#include "PortalShortcut.h"

#include <QDBusMetaType>

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcut& shortcut) {
    out.beginStructure();
    out << shortcut.id << shortcut.details;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcut& shortcut) {
    in.beginStructure();
    in >> shortcut.id >> shortcut.details;
    in.endStructure();
    return in;
}

void registerPortalShortcutTypes() {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcutList>();
}

PortalShortcutList portalShortcutsIn(const QVariant& value) {
    // A value read from a bus message is still in its wire form; one made
    // in this process already holds the list.
    if (value.metaType() == QMetaType::fromType<PortalShortcutList>())
        return value.value<PortalShortcutList>();
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return {};
    const auto wire = value.value<QDBusArgument>();
    if (wire.currentSignature() != QLatin1String("a(sa{sv})"))
        return {};
    PortalShortcutList list;
    wire >> list;
    return list;
}
