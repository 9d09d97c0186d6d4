#include "GlobalShortcutsPortal.h"

#include "platform/qt/bus/PortalRequest.h"
#include "platform/qt/bus/PortalShortcut.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPortal, "varnel.portal")

namespace {
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
constexpr uint Done = 0;
constexpr uint Cancelled = 1;

QString quickListDescription() {
    return QStringLiteral("Show the Quick List");
}

QDBusMessage portalCall(const QString& method) {
    return QDBusMessage::createMethodCall(PortalService, PortalPath, ShortcutsInterface, method);
}

// The portal documents the session handle as a string and means an object
// path; either may come.
QString pathIn(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}
}  // namespace

GlobalShortcutsPortal::GlobalShortcutsPortal(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {
    registerPortalShortcutTypes();
}

GlobalShortcutsPortal::~GlobalShortcutsPortal() {
    if (session_.isEmpty())
        return;
    // Sent without waiting for an answer: we are going either way.
    QDBusMessage close = QDBusMessage::createMethodCall(
        PortalService, session_, QStringLiteral("org.freedesktop.portal.Session"),
        QStringLiteral("Close"));
    close.setAutoStartService(false);
    bus_.send(close);
}

void GlobalShortcutsPortal::start() {
    if (started_)
        return;
    started_ = true;
    if (!bus_.isConnected()) {
        giveUp(QStringLiteral("no session bus"));
        return;
    }
    askForInterface();
}

// The portal answers for every interface it has; one without a backend for
// GlobalShortcuts (most desktops today) has no such interface.
void GlobalShortcutsPortal::askForInterface() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        PortalService, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << ShortcutsInterface << QStringLiteral("version");
    auto* reply = new QDBusPendingCallWatcher(bus_.asyncCall(get), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> version = *w;
        if (version.isError()) {
            giveUp(version.error().message());
            return;
        }
        createSession();
    });
}

void GlobalShortcutsPortal::createSession() {
    // Listened for before there is a session, so no press is lost between
    // the two; presses for other sessions are told apart by their handle.
    bus_.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
    bus_.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("ShortcutsChanged"),
                 this, SLOT(onShortcutsChanged(QDBusMessage)));
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"), PortalRequest::newToken());
    auto* request = PortalRequest::send(bus_, portalCall(QStringLiteral("CreateSession")),
                                        std::move(options), this);
    connect(request, &PortalRequest::failed, this, &GlobalShortcutsPortal::giveUp);
    connect(request, &PortalRequest::answered, this,
            [this](uint response, const QVariantMap& results) {
                const QString session = pathIn(results.value(QStringLiteral("session_handle")));
                if (response != Done || session.isEmpty()) {
                    giveUp(QStringLiteral("no session (response %1)").arg(response));
                    return;
                }
                session_ = session;
                listShortcuts();
            });
}

// The desktop remembers the key between runs; asking to bind it again would
// show the user its dialog at every start.
void GlobalShortcutsPortal::listShortcuts() {
    QDBusMessage call = portalCall(QStringLiteral("ListShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session_));
    auto* request = PortalRequest::send(bus_, call, {}, this);
    connect(request, &PortalRequest::failed, this, &GlobalShortcutsPortal::giveUp);
    connect(request, &PortalRequest::answered, this,
            [this](uint response, const QVariantMap& results) {
                if (response != Done) {
                    giveUp(QStringLiteral("no list of shortcuts (response %1)").arg(response));
                    return;
                }
                if (!tellIfBound(results.value(QStringLiteral("shortcuts"))))
                    bindShortcut();
            });
}

void GlobalShortcutsPortal::bindShortcut() {
    QVariantMap details;
    details.insert(QStringLiteral("description"), quickListDescription());
    const PortalShortcutList shortcuts{{quickListId(), details}};
    QDBusMessage call = portalCall(QStringLiteral("BindShortcuts"));
    // No parent window: the main window is usually hidden at start.
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts)
         << QString();
    auto* request = PortalRequest::send(bus_, call, {}, this);
    connect(request, &PortalRequest::failed, this, &GlobalShortcutsPortal::giveUp);
    connect(request, &PortalRequest::answered, this,
            [this](uint response, const QVariantMap& results) {
                if (response == Cancelled) {
                    qCInfo(lcPortal) << "the user gave the Quick List no desktop-wide key";
                    return;
                }
                if (response != Done) {
                    giveUp(QStringLiteral("the key was not bound (response %1)").arg(response));
                    return;
                }
                if (!tellIfBound(results.value(QStringLiteral("shortcuts"))))
                    qCInfo(lcPortal) << "the desktop bound no key for the Quick List";
            });
}

bool GlobalShortcutsPortal::tellIfBound(const QVariant& shortcuts) {
    for (const PortalShortcut& shortcut : portalShortcutsIn(shortcuts)) {
        if (shortcut.id == quickListId()) {
            Q_EMIT bound(shortcut.details.value(QStringLiteral("trigger_description")).toString());
            return true;
        }
    }
    return false;
}

void GlobalShortcutsPortal::giveUp(const QString& reason) {
    qCInfo(lcPortal).noquote() << "no desktop-wide key for the Quick List:" << reason;
    Q_EMIT unavailable();
}

void GlobalShortcutsPortal::onActivated(const QDBusMessage& signal) {
    const QList<QVariant> arguments = signal.arguments();
    if (session_.isEmpty() || arguments.size() != 4 || pathIn(arguments.at(0)) != session_ ||
        arguments.at(1).toString() != quickListId())
        return;
    const auto options = qdbus_cast<QVariantMap>(arguments.at(3));
    Q_EMIT activated(options.value(QStringLiteral("activation_token")).toString());
}

// The user changed the key in the desktop's settings.
void GlobalShortcutsPortal::onShortcutsChanged(const QDBusMessage& signal) {
    const QList<QVariant> arguments = signal.arguments();
    if (session_.isEmpty() || arguments.size() != 2 || pathIn(arguments.at(0)) != session_)
        return;
    tellIfBound(arguments.at(1));
}
