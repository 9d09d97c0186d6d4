#include "QtDesktopNotices.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QGuiApplication>
#include <QVariantMap>

namespace {
constexpr int AnswerWithinMs = 5000;
constexpr int KeptUntilDismissed = 0;  // expire_timeout: the user closes it
}  // namespace

void QtDesktopNotices::notify(const QString& title, const QString& text,
                              std::function<void(bool taken)> answered) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answered(false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QString desktopEntry = QGuiApplication::desktopFileName();
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), desktopEntry);
    call << title << 0u << desktopEntry << title << text << QStringList() << hints
         << KeptUntilDismissed;
    // Asked without waiting: a service that is started on demand may take a
    // while, and the window must not freeze meanwhile.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, AnswerWithinMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                answered(!finished->isError());
            });
}

void QtDesktopNotices::forgetAnswers() {
    for (QDBusPendingCallWatcher* watcher : findChildren<QDBusPendingCallWatcher*>())
        delete watcher;
}
