#include "WarningsFail.h"
#include "platform/qt/SessionEndWatcher.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>

namespace {
bool defaultAction(int signalNumber) {
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}

bool ignored(int signalNumber) {
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler == SIG_IGN;
}
}  // namespace

class TestSessionEnd : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Told once, never from inside the handler; after that further signals
    // (a process group's, or an impatient user's) cannot cut the end short,
    // to the program's last step. A watcher that told nothing gives them
    // their default action back.
    void eachSignalEndsTheSessionOnce() {
        for (int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
            int ends = 0;
            {
                SessionEndWatcher watcher;
                watcher.setHandler([&] { ++ends; });
                std::raise(signalNumber);
                std::raise(signalNumber);
                QCOMPARE(ends, 0);
                QCoreApplication::processEvents();
                QCoreApplication::processEvents();
                QCOMPARE(ends, 1);
                QVERIFY(ignored(SIGTERM) && ignored(SIGHUP) && ignored(SIGINT));
                std::raise(signalNumber);  // would end the test program were it not ignored
                QCoreApplication::processEvents();
                QCOMPARE(ends, 1);
            }
            QVERIFY(ignored(signalNumber));
        }
        { SessionEndWatcher unused; }
        QVERIFY(defaultAction(SIGTERM) && defaultAction(SIGHUP) && defaultAction(SIGINT));
    }
};

QTEST_GUILESS_MAIN(TestSessionEnd)
#include "test_qt_session_end.moc"
