#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusPendingCallWatcher;

// One call to a desktop portal method that answers in two steps: the reply
// names a Request object, and the outcome comes later as that object's
// Response signal (after the user has answered a dialog, perhaps). The
// Response is listened for before the call goes out, at the path the portal
// builds from our handle_token, so an answer that comes at once is not
// missed; a portal that builds another path is followed there. Nothing
// waits: the outcome arrives as one of the two signals, then the request
// deletes itself. A portal that never answers leaves it waiting harmlessly
// until its parent goes.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    // Sends CALL with OPTIONS (given a handle_token) as its last argument.
    static PortalRequest* send(const QDBusConnection& bus, QDBusMessage call, QVariantMap options,
                               QObject* parent);
    ~PortalRequest() override;

    // A token the portal may use as the last element of an object path:
    // unique to this process and not guessable.
    static QString newToken();

Q_SIGNALS:
    // The portal's outcome: 0 done, 1 cancelled by the user, 2 otherwise ended.
    void answered(uint response, const QVariantMap& results);
    // The call itself failed: no portal, no such method, an error answer.
    void failed(const QString& reason);

private Q_SLOTS:
    void onResponse(const QDBusMessage& response);

private:
    PortalRequest(const QDBusConnection& bus, QObject* parent);
    void listenAt(const QString& path);
    void stopListening();
    void onReply(QDBusPendingCallWatcher* reply);

    QDBusConnection bus_;
    QString listeningAt_;
    bool over_ = false;
};
