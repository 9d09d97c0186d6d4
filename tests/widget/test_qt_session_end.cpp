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

class TestSessionEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachSignalEndsTheSessionOnce_data();
    void eachSignalEndsTheSessionOnce();
};

void TestSessionEnd::eachSignalEndsTheSessionOnce_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestSessionEnd::eachSignalEndsTheSessionOnce() {
    QFETCH(int, signalNumber);
    int ends = 0;
    {
        SessionEndWatcher watcher;
        QVERIFY(watcher.isWatchingSignals());
        watcher.setHandler([&] { ++ends; });
        QVERIFY(!hasDefaultAction(signalNumber));
        std::raise(signalNumber);
        QCOMPARE(ends, 0);  // never from inside the handler
        QCoreApplication::processEvents();
        QCOMPARE(ends, 1);
        // A second signal would now end the program the hard way.
        QVERIFY(hasDefaultAction(SIGTERM) && hasDefaultAction(SIGHUP) && hasDefaultAction(SIGINT));
    }
    QVERIFY(hasDefaultAction(signalNumber));
}

QTEST_GUILESS_MAIN(TestSessionEnd)
#include "test_qt_session_end.moc"
