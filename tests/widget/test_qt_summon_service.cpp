#include "PrivateBus.h"
#include "platform/SummonEvents.h"
#include "platform/qt/bus/SummonService.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// Shows the window as a first showing with a notice does: a box whose loop
// runs until the caller has its answer, or a bound of real time, since the
// bus is real.
class BoxOnShowing : public SummonEvents {
public:
    void ShowWindow(const QString& token) override {
        shown << token;
        QEventLoop box;
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &box, &QEventLoop::quit);
        QTimer::singleShot(5000, &box, &QEventLoop::quit);
        if (!watcher->isFinished())
            box.exec();
        answeredWhileOpen = watcher->isFinished() && !watcher->isError();
    }
    void ToggleWindow(const QString&) override {}
    void PopupQuickList(const QString&) override {}
    void Find(const QString& text, const QString& token) override { found << text + u' ' + token; }
    bool SecondStart(const QString&) override { return false; }

    QDBusPendingCallWatcher* watcher = nullptr;
    QStringList shown, found;
    bool answeredWhileOpen = false;
};
}  // namespace

class TestQtSummonService : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The caller of --show is answered before the box the showing opens is
    // answered: it would otherwise wait for the user, then say the running
    // copy cannot be reached.
    void aCallerIsAnsweredBeforeWhatItShows() {
        PrivateBus bus;
        QVERIFY2(bus.started(), qPrintable(bus.why()));
        QDBusConnection running = bus.connect();
        QDBusConnection caller = bus.connect();
        SummonService service;
        BoxOnShowing events;
        service.setEvents(&events);
        QVERIFY(running.registerObject(u"/org/varnel/Varnel"_s, &service,
                                       QDBusConnection::ExportScriptableSlots));
        const auto call = [&](const QString& method, const QVariantList& args) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                running.baseService(), u"/org/varnel/Varnel"_s, u"org.varnel.Varnel"_s, method);
            message.setArguments(args);
            return new QDBusPendingCallWatcher(caller.asyncCall(message), &service);
        };
        events.watcher = call(u"ShowWindow"_s, {u"token-1"_s});
        QTRY_COMPARE(events.shown, QStringList{u"token-1"_s});
        QVERIFY(events.answeredWhileOpen);

        QDBusPendingCallWatcher* find = call(u"Find"_s, {u"tax"_s});
        QTRY_VERIFY(find->isFinished() && !find->isError());
        QTRY_COMPARE(events.found, QStringList{u"tax "_s});
    }
};

QTEST_MAIN(TestQtSummonService)
#include "test_qt_summon_service.moc"
