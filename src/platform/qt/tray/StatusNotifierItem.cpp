#include "StatusNotifierItem.h"

#include "app/Texts.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QLoggingCategory>
#include <QtEndian>

Q_LOGGING_CATEGORY(lcItem, "varnel.tray")

namespace {
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString ItemPath = QStringLiteral("/StatusNotifierItem");
const QString MenuPath = QStringLiteral("/MenuBar");
constexpr int WatcherTimeoutMs = 2000;  // a watcher that hangs must not hang us

// Each size the icon has, as ARGB32 in network byte order.
QList<DBusImage> pixmapsOf(const QIcon& icon) {
    QList<DBusImage> list;
    for (const QSize size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        DBusImage out{image.width(), image.height(), QByteArray()};
        out.pixels.resize(qsizetype(image.width()) * image.height() * 4);
        auto* pixel = reinterpret_cast<quint32*>(out.pixels.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *pixel++ = qToBigEndian(line[x]);
        }
        list.append(out);
    }
    return list;
}
}  // namespace

StatusNotifierItem::StatusNotifierItem(const QDBusConnection& bus, DBusMenuExporter::Source menu,
                                       QObject* parent)
    : QObject(parent),
      bus_(bus),
      watcher_(new QDBusServiceWatcher(WatcherService, bus_,
                                       QDBusServiceWatcher::WatchForOwnerChange, this)),
      menu_(new DBusMenuExporter(std::move(menu), this)),
      serviceName_(QStringLiteral("org.kde.StatusNotifierItem-%1-1")
                       .arg(QCoreApplication::applicationPid())) {
    registerDBusTrayTypes();
    new StatusNotifierItemAdaptor(this);
    new DBusMenuAdaptor(menu_);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &StatusNotifierItem::hostChanged);
    // A watcher may be there before any host is; it says when one comes.
    // (A bus signal can only be connected to a slot or signal named as text.)
    for (const char* change : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus_.connect(WatcherService, WatcherPath, WatcherService, QLatin1String(change), this,
                     SIGNAL(hostChanged()));
    }
}

StatusNotifierItem::~StatusNotifierItem() {
    hide();
}

QString StatusNotifierItem::title() const {
    return Texts::programTitle();
}

// Asked with a plain Properties.Get: not every watcher describes its
// properties when introspected, which a QDBusInterface relies on.
bool StatusNotifierItem::hostPresent() const {
    if (!bus_.isConnected() || !bus_.interface()->isServiceRegistered(WatcherService))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        WatcherService, WatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << WatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus_.call(get, QDBus::Block, WatcherTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

bool StatusNotifierItem::show() {
    const QString owner = bus_.interface()->serviceOwner(WatcherService);
    if (shown_ && owner == registeredWith_)
        return true;
    if (!shown_) {
        if (!bus_.registerService(serviceName_) ||
            !bus_.registerObject(ItemPath, this, QDBusConnection::ExportAdaptors) ||
            !bus_.registerObject(MenuPath, menu_, QDBusConnection::ExportAdaptors)) {
            qCWarning(lcItem) << "cannot put the tray item on the session bus:"
                              << bus_.lastError().message();
            hide();
            return false;
        }
        shown_ = true;
    }
    QDBusMessage registration = QDBusMessage::createMethodCall(
        WatcherService, WatcherPath, WatcherService, QStringLiteral("RegisterStatusNotifierItem"));
    registration << serviceName_;
    const QDBusMessage reply = bus_.call(registration, QDBus::Block, WatcherTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qCWarning(lcItem) << "the tray's watcher refused the item:" << reply.errorMessage();
        registeredWith_.clear();
        return false;
    }
    registeredWith_ = owner;
    return true;
}

void StatusNotifierItem::hide() {
    if (!shown_)
        return;
    bus_.unregisterObject(MenuPath);
    bus_.unregisterObject(ItemPath);
    bus_.unregisterService(serviceName_);
    registeredWith_.clear();
    shown_ = false;
}

void StatusNotifierItem::setIcon(const QIcon& icon) {
    pixmaps_ = pixmapsOf(icon);
    Q_EMIT iconChanged();
}

void StatusNotifierItem::setToolTip(const QString& tip) {
    toolTip_ = tip;
    Q_EMIT toolTipChanged();
}

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem* item)
    : QDBusAbstractAdaptor(item), item_(item) {
    setAutoRelaySignals(false);
    connect(item, &StatusNotifierItem::iconChanged, this, &StatusNotifierItemAdaptor::NewIcon);
    connect(item, &StatusNotifierItem::toolTipChanged, this,
            &StatusNotifierItemAdaptor::NewToolTip);
}

QString StatusNotifierItemAdaptor::id() const {
    return QCoreApplication::applicationName();
}

DBusToolTip StatusNotifierItemAdaptor::toolTip() const {
    return {QString(), {}, item_->toolTip(), QString()};
}

QDBusObjectPath StatusNotifierItemAdaptor::menu() const {
    return QDBusObjectPath(MenuPath);
}

void StatusNotifierItemAdaptor::Activate(int, int) {
    Q_EMIT item_->activated();
}

void StatusNotifierItemAdaptor::SecondaryActivate(int, int) {
    Q_EMIT item_->middleClicked();
}

void StatusNotifierItemAdaptor::ContextMenu(int, int) {
    Q_EMIT item_->contextMenuRequested();
}

void StatusNotifierItemAdaptor::Scroll(int, const QString&) {}
