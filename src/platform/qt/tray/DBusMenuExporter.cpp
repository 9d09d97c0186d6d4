#include "DBusMenuExporter.h"

#include <QTimer>

namespace {
constexpr int RootNumber = 0;

// Entries are numbered from their identifier and their place in an indexed
// set, never from their position, so a host's numbers stay good.
int numberOf(const MenuEntry& entry) {
    return (entry.id + 1) * 100 + entry.index + 1;
}

DBusMenuLayout entryLayout(const MenuEntry& entry, int number,
                           const DBusMenuExporter::IconData& iconData) {
    DBusMenuLayout layout;
    layout.id = number;
    QVariantMap& p = layout.properties;
    switch (entry.kind) {
    case MenuEntry::Kind::Separator:
        p.insert(QStringLiteral("type"), QStringLiteral("separator"));
        break;
    case MenuEntry::Kind::Submenu:
        p.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        [[fallthrough]];
    case MenuEntry::Kind::Command:
        p.insert(QStringLiteral("label"), DBusMenuExporter::labelOf(entry.caption));
        break;
    }
    p.insert(QStringLiteral("visible"), entry.visible);
    p.insert(QStringLiteral("enabled"), entry.enabled);
    if (entry.checkable || entry.checked) {
        p.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
        p.insert(QStringLiteral("toggle-state"), entry.checked ? 1 : 0);
    }
    if (iconData && !entry.image.isEmpty()) {
        if (const QByteArray png = iconData(entry.image); !png.isEmpty())
            p.insert(QStringLiteral("icon-data"), png);
    }
    for (const MenuEntry& child : entry.children)
        layout.children.append(entryLayout(child, numberOf(child), iconData));
    return layout;
}

const DBusMenuLayout* find(const DBusMenuLayout& layout, int number) {
    if (layout.id == number)
        return &layout;
    for (const DBusMenuLayout& child : layout.children) {
        if (const DBusMenuLayout* found = find(child, number))
            return found;
    }
    return nullptr;
}

bool same(const DBusMenuLayout& a, const DBusMenuLayout& b) {
    if (a.id != b.id || a.properties != b.properties || a.children.size() != b.children.size())
        return false;
    for (qsizetype i = 0; i < a.children.size(); ++i) {
        if (!same(a.children[i], b.children[i]))
            return false;
    }
    return true;
}
}  // namespace

DBusMenuExporter::DBusMenuExporter(Source source, QObject* parent)
    : QObject(parent), source_(std::move(source)) {
    registerDBusTrayTypes();
    refresh();
}

DBusMenuLayout DBusMenuExporter::layoutOf(const MenuEntry& root, const IconData& iconData) {
    DBusMenuLayout layout = entryLayout(root, RootNumber, iconData);
    layout.properties.remove(QStringLiteral("label"));
    return layout;
}

std::optional<MenuChoice> DBusMenuExporter::choiceOf(const MenuEntry& root, int number) {
    for (const MenuEntry& child : root.children) {
        if (numberOf(child) == number)
            return MenuChoice{child.id, child.index, true};
        if (std::optional<MenuChoice> found = choiceOf(child, number))
            return found;
    }
    return std::nullopt;
}

QString DBusMenuExporter::labelOf(const QString& caption) {
    QString label = caption;
    return label.replace(QLatin1Char('_'), QLatin1String("__"));
}

// Takes the menu as it is now; a change makes a new revision.
bool DBusMenuExporter::refresh() {
    DBusMenuLayout now = layoutOf(source_.menu(), source_.iconData);
    if (same(now, layout_))
        return false;
    layout_ = std::move(now);
    ++revision_;
    return true;
}

const DBusMenuLayout& DBusMenuExporter::layout() {
    refresh();
    return layout_;
}

bool DBusMenuExporter::aboutToShow() {
    source_.aboutToShow();
    if (!refresh())
        return false;
    Q_EMIT layoutUpdated(revision_, RootNumber);
    return true;
}

void DBusMenuExporter::menuChanged() {
    if (refresh())
        Q_EMIT layoutUpdated(revision_, RootNumber);
}

void DBusMenuExporter::event(int number, const QString& eventId) {
    if (eventId != QLatin1String("clicked"))
        return;
    const std::optional<MenuChoice> choice = choiceOf(source_.menu(), number);
    if (!choice)
        return;
    // From the event loop: a command may open a modal box, and the host
    // waits for the answer to its call meanwhile.
    QTimer::singleShot(0, this, [this, c = *choice] { source_.chosen(c); });
}

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenuExporter* exporter)
    : QDBusAbstractAdaptor(exporter), exporter_(exporter) {
    setAutoRelaySignals(false);
    connect(exporter, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayout& layout) {
    Q_UNUSED(recursionDepth)  // the menu is small: always whole
    Q_UNUSED(propertyNames)
    const DBusMenuLayout* part = find(exporter_->layout(), parentId);
    layout = part ? *part : DBusMenuLayout{parentId, {}, {}};
    return exporter_->revision();
}

QList<DBusMenuProperties> DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids,
                                                              const QStringList& names) {
    Q_UNUSED(names)
    QList<DBusMenuProperties> list;
    for (int id : ids) {
        if (const DBusMenuLayout* entry = find(exporter_->layout(), id))
            list.append({id, entry->properties});
    }
    return list;
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name) {
    const DBusMenuLayout* entry = find(exporter_->layout(), id);
    return QDBusVariant(entry ? entry->properties.value(name) : QVariant());
}

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant& data,
                            uint timestamp) {
    Q_UNUSED(data)
    Q_UNUSED(timestamp)
    exporter_->event(id, eventId);
}

QList<int> DBusMenuAdaptor::EventGroup(const QList<DBusMenuEvent>& events) {
    for (const DBusMenuEvent& e : events)
        exporter_->event(e.id, e.eventId);
    return {};
}

bool DBusMenuAdaptor::AboutToShow(int id) {
    Q_UNUSED(id)  // one menu: its submenu shows what it showed
    return exporter_->aboutToShow();
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    return !ids.isEmpty() && exporter_->aboutToShow() ? QList<int>{RootNumber} : QList<int>{};
}
