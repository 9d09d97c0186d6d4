#include "PortalRequest.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace {
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// Where the portal puts the Request object for our token: our unique name
// without its ':' and with '_' for '.'.
QString requestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}
}  // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

PortalRequest::~PortalRequest() {
    stopListening();
}

QString PortalRequest::newToken() {
    return QStringLiteral("varnel_%1")
        .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
}

PortalRequest* PortalRequest::send(const QDBusConnection& bus, QDBusMessage call,
                                   QVariantMap options, QObject* parent) {
    auto* request = new PortalRequest(bus, parent);
    const QString token = newToken();
    options.insert(QStringLiteral("handle_token"), token);
    request->listenAt(requestPath(bus, token));
    call << options;
    auto* reply = new QDBusPendingCallWatcher(request->bus_.asyncCall(call), request);
    connect(reply, &QDBusPendingCallWatcher::finished, request, &PortalRequest::onReply);
    return request;
}

void PortalRequest::listenAt(const QString& path) {
    stopListening();
    // A bus signal can only be connected to a slot named as text.
    if (bus_.connect(PortalService, path, RequestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(QDBusMessage))))
        listeningAt_ = path;
}

void PortalRequest::stopListening() {
    if (listeningAt_.isEmpty())
        return;
    bus_.disconnect(PortalService, listeningAt_, RequestInterface, QStringLiteral("Response"), this,
                    SLOT(onResponse(QDBusMessage)));
    listeningAt_.clear();
}

void PortalRequest::onReply(QDBusPendingCallWatcher* reply) {
    reply->deleteLater();
    if (over_)  // the Response came first
        return;
    const QDBusPendingReply<QDBusObjectPath> handle = *reply;
    if (handle.isError()) {
        over_ = true;
        stopListening();
        Q_EMIT failed(handle.error().message());
        deleteLater();
        return;
    }
    // Portals older than the convention choose the path themselves.
    const QString path = handle.value().path();
    if (path != listeningAt_)
        listenAt(path);
}

void PortalRequest::onResponse(const QDBusMessage& response) {
    if (over_)
        return;
    const QList<QVariant> arguments = response.arguments();
    over_ = true;
    stopListening();
    if (arguments.size() != 2 || arguments.at(0).metaType() != QMetaType::fromType<uint>()) {
        Q_EMIT failed(QStringLiteral("a Response of signature %1").arg(response.signature()));
    } else {
        Q_EMIT answered(arguments.at(0).toUInt(), qdbus_cast<QVariantMap>(arguments.at(1)));
    }
    deleteLater();
}
