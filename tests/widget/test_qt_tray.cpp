#include "RecordingEvents.h"
#include "VirtualClock.h"
#include "WarningsFail.h"
#include "platform/qt/QtTray.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr auto yes = [] { return true; };
constexpr auto no = [] { return false; };
}  // namespace

class TestTray : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void activationsBecomeMouseMessages();
    void waitsForALateTrayAndReportsNoneOnce();
    void aMenuOnlyHostGetsTheLogicsMenu();
};

void TestTray::activationsBecomeMouseMessages() {
    VirtualClock clock;
    RecordingEvents events;
    QtTray tray(clock, yes, no);
    tray.setNotifications(&events);
    using Tray = QSystemTrayIcon;
    for (auto reason :
         {Tray::Trigger, Tray::Context, Tray::DoubleClick, Tray::MiddleClick, Tray::Unknown})
        tray.activated(reason);
    QCOMPARE(events.calls.join(u','), u"Tray 0 0x202,Tray 0 0x205,Tray 0 0x202,Tray 0 0x208"_s);
    tray.setNotifications(nullptr);
    tray.activated(QSystemTrayIcon::Trigger);
    QCOMPARE(events.calls.size(), 4);
}

void TestTray::waitsForALateTrayAndReportsNoneOnce() {
    VirtualClock clock;
    RecordingEvents events;
    bool trayThere = false;
    QtTray late(
        clock, [&] { return trayThere; }, no);
    late.setNotifications(&events);
    late.add(u"varnel"_s, u"Varnel"_s);
    clock.advance(3000);
    QVERIFY(!late.isShown());
    trayThere = true;
    clock.advance(QtTray::RetryIntervalMs);
    QVERIFY(late.isShown());
    QCOMPARE(late.toolTip(), u"Varnel"_s);
    clock.advance(60000);  // shown: the waiting is over
    QVERIFY(events.calls.isEmpty());
    late.remove();
    QVERIFY(!late.isShown());
    QtTray none(clock, no, no);
    none.setNotifications(&events);
    none.add(u"varnel"_s, u"Varnel"_s);
    none.remove();  // taken out while still waiting: nothing to report
    clock.advance(60000);
    QVERIFY(events.calls.isEmpty());
    none.add(u"varnel"_s, u"Varnel"_s);
    clock.advance(QtTray::RetryCount * QtTray::RetryIntervalMs - 1);
    QVERIFY(events.calls.isEmpty());
    clock.advance(1);  // ten seconds
    QCOMPARE(events.calls, QStringList{u"TrayUnavailable"_s});
    none.add(u"varnel"_s, u"Varnel"_s);
    clock.advance(60000);
    QCOMPARE(events.calls.size(), 1);
}

void TestTray::aMenuOnlyHostGetsTheLogicsMenu() {
    VirtualClock clock;
    RecordingEvents events;
    QtTray tray(clock, yes, yes);
    tray.setNotifications(&events);
    events.hostMenu = MenuSubmenu(0, QString(), {MenuCommand(7, QStringLiteral("Unload"))});
    QVERIFY(tray.hostMenu());
    Q_EMIT tray.hostMenu()->aboutToShow();
    QCOMPARE(tray.hostMenu()->actions().size(), 1);
    tray.hostMenu()->actions().at(0)->trigger();
    // The host shows its menu itself; a second popup from the logic would be one too many.
    tray.activated(QSystemTrayIcon::Context);
    QCOMPARE(events.calls, (QStringList{u"TrayMenuForHost"_s, u"TrayMenuChosen 7 -1"_s}));
    Q_EMIT tray.hostMenu()->aboutToShow();  // rebuilt, not added to
    QCOMPARE(tray.hostMenu()->actions().size(), 1);
}

QTEST_MAIN(TestTray)
#include "test_qt_tray.moc"
