#include "RecordingEvents.h"
#include "platform/qt/QtTray.h"

#include <QTest>

namespace {
// Timers that tick only when the test says so.
class ManualTimers : public TimerFactory {
public:
    class ManualTimer : public Timer {
    public:
        explicit ManualTimer(std::function<void()> tick) : onTick(std::move(tick)) {}
        void setInterval(int ms) override { interval_ = ms; }
        int interval() const override { return interval_; }
        void start() override { active_ = true; }
        void stop() override { active_ = false; }
        bool isActive() const override { return active_; }
        std::function<void()> onTick;

    private:
        int interval_ = 0;
        bool active_ = false;
    };

    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override {
        auto timer = std::make_unique<ManualTimer>(std::move(onTick));
        timers.push_back(timer.get());
        return timer;
    }
    // Fires the active timers' ticks, as often as asked.
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) {
            for (ManualTimer* timer : timers) {
                if (timer->isActive())
                    timer->onTick();
            }
        }
    }
    std::vector<ManualTimer*> timers;
};
}  // namespace

namespace {
bool noHost() { return false; }
}  // namespace

class TestTray : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void activationsBecomeMouseMessages();
    void waitsForALateTray();
    void reportsNoTrayOnceAfterTenSeconds();
    void aMenuOnlyHostGetsTheLogicsMenu();
};

void TestTray::aMenuOnlyHostGetsTheLogicsMenu() {
    ManualTimers timers;
    RecordingEvents events;
    QtTray tray(timers, [] { return true; }, [] { return true; });
    tray.setNotifications(&events);
    QVERIFY(tray.hostMenu());
    Q_EMIT tray.hostMenu()->aboutToShow();
    QCOMPARE(tray.hostMenu()->actions().size(), 1);
    tray.hostMenu()->actions().at(0)->trigger();
    // The host shows its menu itself; a second popup from the logic would be one too many.
    tray.activated(QSystemTrayIcon::Context);
    QCOMPARE(events.calls, (QStringList{QStringLiteral("TrayMenuForHost"),
                                        QStringLiteral("TrayMenuChosen tiUnload")}));
    Q_EMIT tray.hostMenu()->aboutToShow();  // rebuilt, not added to
    QCOMPARE(tray.hostMenu()->actions().size(), 1);
}

void TestTray::activationsBecomeMouseMessages() {
    ManualTimers timers;
    RecordingEvents events;
    QtTray tray(timers, [] { return true; }, noHost);
    tray.setNotifications(&events);
    tray.activated(QSystemTrayIcon::Trigger);
    tray.activated(QSystemTrayIcon::Context);
    tray.activated(QSystemTrayIcon::DoubleClick);
    tray.activated(QSystemTrayIcon::MiddleClick);
    tray.activated(QSystemTrayIcon::Unknown);
    QCOMPARE(events.calls, (QStringList{QStringLiteral("Tray 0 0x202"), QStringLiteral("Tray 0 0x205"),
                                        QStringLiteral("Tray 0 0x202"), QStringLiteral("Tray 0 0x208")}));
    tray.setNotifications(nullptr);
    tray.activated(QSystemTrayIcon::Trigger);
    QCOMPARE(events.calls.size(), 4);
}

void TestTray::waitsForALateTray() {
    ManualTimers timers;
    RecordingEvents events;
    bool trayThere = false;
    QtTray tray(timers, [&] { return trayThere; }, noHost);
    tray.setNotifications(&events);
    tray.add(QStringLiteral("varnel"), QStringLiteral("Varnel"));
    QCOMPARE(tray.toolTip(), QStringLiteral("Varnel"));
    QVERIFY(!tray.isShown());
    QCOMPARE(timers.timers.at(0)->interval(), 500);
    timers.tick(5);
    trayThere = true;
    timers.tick();
    QVERIFY(tray.isShown());
    QVERIFY(!timers.timers.at(0)->isActive());
    timers.tick(30);
    QVERIFY(events.calls.isEmpty());

    tray.modifyTip(QStringLiteral("Varnel 2"));
    QCOMPARE(tray.toolTip(), QStringLiteral("Varnel 2"));
    tray.remove();
    QVERIFY(!tray.isShown());
}

void TestTray::reportsNoTrayOnceAfterTenSeconds() {
    ManualTimers timers;
    RecordingEvents events;
    QtTray tray(timers, [] { return false; }, noHost);
    tray.setNotifications(&events);
    tray.add(QStringLiteral("varnel"), QStringLiteral("Varnel"));
    timers.tick(QtTray::RetryCount - 1);
    QVERIFY(events.calls.isEmpty());
    timers.tick();
    QCOMPARE(events.calls, QStringList{QStringLiteral("TrayUnavailable")});
    tray.add(QStringLiteral("varnel"), QStringLiteral("Varnel"));
    timers.tick(2 * QtTray::RetryCount);
    QCOMPARE(events.calls.size(), 1);

    // Taken out of the tray while still waiting: nothing to report.
    RecordingEvents other;
    QtTray removed(timers, [] { return false; }, noHost);
    removed.setNotifications(&other);
    removed.add(QStringLiteral("varnel"), QStringLiteral("Varnel"));
    removed.remove();
    timers.tick(2 * QtTray::RetryCount);
    QVERIFY(other.calls.isEmpty());
}

QTEST_MAIN(TestTray)
#include "test_qt_tray.moc"
