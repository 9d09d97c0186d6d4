#include "WarningsFail.h"
#include "platform/qt/SessionEndWatcher.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>

namespace {
bool hasDefaultAction(int signalNumber) {
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}
}  // namespace

class TestSessionEnd : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void eachSignalEndsTheSessionOnce();
};

void TestSessionEnd::eachSignalEndsTheSessionOnce() {
    for (int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        int ends = 0;
        {
            SessionEndWatcher watcher;
            watcher.setHandler([&] { ++ends; });
            QVERIFY(!hasDefaultAction(signalNumber));
            std::raise(signalNumber);
            std::raise(signalNumber);  // a second before the event loop runs
            QCOMPARE(ends, 0);         // never from inside the handler
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            QCOMPARE(ends, 1);
            // A second signal would now end the program the hard way.
            for (int other : {SIGTERM, SIGHUP, SIGINT})
                QVERIFY(hasDefaultAction(other));
        }
        QVERIFY(hasDefaultAction(signalNumber));
    }
}

QTEST_GUILESS_MAIN(TestSessionEnd)
#include "test_qt_session_end.moc"
