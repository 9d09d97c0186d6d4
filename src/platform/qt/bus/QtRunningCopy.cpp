#include "QtRunningCopy.h"

#include "SummonService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBus, "varnel.bus")

namespace {
QString objectPath() {
    return QStringLiteral("/org/varnel/Varnel");
}
QString interfaceName() {
    return QStringLiteral("org.varnel.Varnel");
}
}  // namespace

QtRunningCopy::QtRunningCopy() : service_(std::make_unique<SummonService>()) {}

QtRunningCopy::~QtRunningCopy() {
    StopListening();
}

void QtRunningCopy::setEvents(SummonEvents* events) {
    service_->setEvents(events);
}

// The lock says which copy runs; the name only finds it. A name left to an
// older copy that is ending is taken over (each copy lets the next one take
// it); one that another program holds and keeps is left to it, and this
// copy goes on unreachable.
void QtRunningCopy::Listen(const QString& busName) {
    if (busName.isEmpty() || !listeningAs_.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcBus).noquote() << QStringLiteral(
                                       "no session bus (%1): other starts and the desktop "
                                       "cannot reach this copy")
                                       .arg(bus.lastError().message());
        return;
    }
    if (!bus.registerObject(objectPath(), service_.get(), QDBusConnection::ExportScriptableSlots)) {
        qCWarning(lcBus) << "cannot put the object" << objectPath() << "on the session bus";
        return;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(busName, QDBusConnectionInterface::ReplaceExistingService,
                                         QDBusConnectionInterface::AllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        qCWarning(lcBus).noquote()
            << QStringLiteral(
                   "the name %1 on the session bus is held by another program%2: other "
                   "starts and the desktop cannot reach this copy")
                   .arg(busName, reply.isValid()
                                     ? QString()
                                     : QStringLiteral(" (%1)").arg(reply.error().message()));
        bus.unregisterObject(objectPath());
        return;
    }
    listeningAs_ = busName;
}

void QtRunningCopy::StopListening() {
    if (listeningAs_.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(listeningAs_);
    bus.unregisterObject(objectPath());
    listeningAs_.clear();
}

RunningCopyAnswer QtRunningCopy::ShowWindow(const QString& busName) {
    return call(busName, QStringLiteral("ShowWindow"), {});
}

RunningCopyAnswer QtRunningCopy::ToggleWindow(const QString& busName) {
    return call(busName, QStringLiteral("ToggleWindow"), {});
}

RunningCopyAnswer QtRunningCopy::PopupQuickList(const QString& busName) {
    return call(busName, QStringLiteral("PopupQuickList"), {});
}

RunningCopyAnswer QtRunningCopy::Find(const QString& busName, const QString& text) {
    return call(busName, QStringLiteral("Find"), {text});
}

RunningCopyAnswer QtRunningCopy::SecondStart(const QString& busName) {
    return call(busName, QStringLiteral("SecondStart"), {});
}

// Waits for the answer: the command has nothing else to do, and its exit
// status is that answer.
RunningCopyAnswer QtRunningCopy::call(const QString& busName, const QString& method,
                                      QVariantList arguments) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        reason_ = QStringLiteral("there is no session bus (%1)").arg(bus.lastError().message());
        return RunningCopyAnswer::Unreachable;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(busName, objectPath(), interfaceName(), method);
    arguments << token_;
    message.setArguments(arguments);
    // Never started by the bus: the lock says a copy runs, and only that
    // copy may answer.
    message.setAutoStartService(false);
    const QDBusMessage reply = bus.call(message, QDBus::Block, AnswerWithinMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        reason_ = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        return RunningCopyAnswer::Unreachable;
    }
    const QVariantList answer = reply.arguments();
    if (!answer.isEmpty() && !answer.first().toBool())
        return RunningCopyAnswer::DidNotShow;
    return RunningCopyAnswer::Showed;
}
