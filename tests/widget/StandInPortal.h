#pragma once

#include "platform/qt/bus/PortalShortcut.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QList>
#include <utility>

// The desktop portal as a test needs it: owns org.freedesktop.portal.Desktop
// on its own connection, answers GlobalShortcuts calls the way the portal
// documents (a Request handle as reply, the outcome as that Request's
// Response signal), and records every call it gets. Calls of the wrong
// signature get an error, as from a real portal.
class StandInPortal : public QDBusVirtualObject {
public:
    static inline const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString Shortcuts =
        QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

    // How it behaves.
    bool offersShortcuts = true;
    bool alreadyBound = false;   // ListShortcuts names the Quick List's key
    bool responseFirst = false;  // the Response goes out before the reply
    bool holdAnswers = false;    // answers wait for release()
    uint bindResponse = 0;       // 1: the user cancelled the dialog
    QString sessionError;        // CreateSession answers with this error
    // What it saw.
    QList<QDBusMessage> calls;
    QString session;

    explicit StandInPortal(const QDBusConnection& bus) : bus_(bus) {
        registerPortalShortcutTypes();
        bus_.registerVirtualObject(Path, this, QDBusConnection::SubPath);
        bus_.registerService(Service);
    }
    ~StandInPortal() override {
        bus_.unregisterService(Service);
        bus_.unregisterObject(Path, QDBusConnection::UnregisterTree);
    }

    QStringList members() const {
        QStringList names;
        for (const QDBusMessage& call : calls)
            names.append(call.member());
        return names;
    }
    void release() {
        holdAnswers = false;
        for (const QDBusMessage& call : std::exchange(held_, {}))
            answer(call);
    }
    void activate(const QString& id, const QVariantMap& options, const QString& inSession) {
        QDBusMessage signal =
            QDBusMessage::createSignal(Path, Shortcuts, QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(inSession)) << id << quint64(1234) << options;
        bus_.send(signal);
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection&) override {
        calls.append(call);
        if (holdAnswers)
            held_.append(call);
        else
            answer(call);
        return true;
    }

private:
    static QString objectPath(const QDBusMessage& call, const QString& kind, const QString& token) {
        QString sender = call.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        return QStringLiteral("%1/%2/%3/%4").arg(Path, kind, sender, token);
    }
    static QString option(const QDBusMessage& call, const QString& key) {
        return qdbus_cast<QVariantMap>(call.arguments().constLast()).value(key).toString();
    }
    void fail(const QDBusMessage& call, const QString& error) {
        bus_.send(call.createErrorReply(error, QStringLiteral("refused by the stand-in")));
    }
    void respond(const QDBusMessage& call, uint response, const QVariantMap& results) {
        const QString request = objectPath(call, QStringLiteral("request"),
                                           option(call, QStringLiteral("handle_token")));
        QDBusMessage signal = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        const QDBusMessage reply = call.createReply(QVariant::fromValue(QDBusObjectPath(request)));
        if (responseFirst)
            bus_.send(signal);
        bus_.send(reply);
        if (!responseFirst)
            bus_.send(signal);
    }
    static PortalShortcutList withTrigger(PortalShortcutList shortcuts) {
        for (PortalShortcut& shortcut : shortcuts)
            shortcut.details.insert(QStringLiteral("trigger_description"),
                                    QStringLiteral("Meta+Q"));
        return shortcuts;
    }
    void answer(const QDBusMessage& call) {
        const QString signature = call.signature();
        if (call.member() == QLatin1String("Get")) {
            if (offersShortcuts && call.arguments().value(0).toString() == Shortcuts)
                bus_.send(call.createReply(QVariant::fromValue(QDBusVariant(2u))));
            else
                fail(call, QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        } else if (call.member() == QLatin1String("CreateSession") &&
                   signature == QLatin1String("a{sv}")) {
            if (!sessionError.isEmpty())
                return fail(call, sessionError);
            session = objectPath(call, QStringLiteral("session"),
                                 option(call, QStringLiteral("session_handle_token")));
            respond(call, 0, {{QStringLiteral("session_handle"), session}});
        } else if (call.member() == QLatin1String("ListShortcuts") &&
                   signature == QLatin1String("oa{sv}")) {
            PortalShortcutList known;
            if (alreadyBound)
                known.append({QStringLiteral("quick-list"), {}});
            respond(call, 0,
                    {{QStringLiteral("shortcuts"), QVariant::fromValue(withTrigger(known))}});
        } else if (call.member() == QLatin1String("BindShortcuts") &&
                   signature == QLatin1String("oa(sa{sv})sa{sv}")) {
            const PortalShortcutList asked = portalShortcutsIn(call.arguments().at(1));
            respond(call, bindResponse,
                    {{QStringLiteral("shortcuts"), QVariant::fromValue(withTrigger(asked))}});
        } else if (call.member() != QLatin1String("Close")) {
            fail(call, QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
        }
    }

    QDBusConnection bus_;
    QList<QDBusMessage> held_;
};
