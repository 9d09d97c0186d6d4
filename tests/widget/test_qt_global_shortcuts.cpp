#include "PrivateBus.h"
#include "StandInPortal.h"
#include "WarningsFail.h"
#include "platform/qt/bus/GlobalShortcutsPortal.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
// The bus is real: its round trips take real time, so waits for them are
// bounded, and what is checked never depends on how long they took.
constexpr int BusMs = 10000;

int portalLines = 0;
QtMessageHandler passedOn = nullptr;
void countPortalLines(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (context.category && QLatin1String(context.category) == "varnel.portal"_L1)
        ++portalLines;
    passedOn(type, context, text);
}

// Varnel's client and, on another connection, the desktop's portal.
struct Desktop {
    explicit Desktop(PrivateBus& bus, bool withPortal = true)
        : clientBus(bus.connect()),
          portalBus(bus.connect()),
          portal(withPortal ? std::make_unique<StandInPortal>(portalBus) : nullptr),
          client(std::make_unique<GlobalShortcutsPortal>(clientBus)) {
        portalLines = 0;
    }
    ~Desktop() {
        client.reset();
        portal.reset();
        PrivateBus::disconnect(clientBus);
        PrivateBus::disconnect(portalBus);
    }
    QDBusConnection clientBus;
    QDBusConnection portalBus;
    std::unique_ptr<StandInPortal> portal;
    std::unique_ptr<GlobalShortcutsPortal> client;
    QSignalSpy bound{client.get(), &GlobalShortcutsPortal::bound};
    QSignalSpy activated{client.get(), &GlobalShortcutsPortal::activated};
    QSignalSpy unavailable{client.get(), &GlobalShortcutsPortal::unavailable};
};
}  // namespace

class TestGlobalShortcuts : public WarningsFail {
    Q_OBJECT
    std::unique_ptr<PrivateBus> bus_;

private Q_SLOTS:
    void initTestCase() {
        bus_ = std::make_unique<PrivateBus>();
        QVERIFY2(bus_->started(), qPrintable(u"no private dbus-daemon: "_s + bus_->why()));
        passedOn = qInstallMessageHandler(countPortalLines);
    }
    void cleanupTestCase() {
        qInstallMessageHandler(passedOn);
        bus_.reset();
    }

    // First start: a session, the list (empty), then the key bound in that
    // session; its id and description are checked by the journey through the
    // real program. A press on it comes out with the desktop's token, or none
    // from portals that give none; presses of other keys or other sessions
    // are not ours. Going away ends the session.
    void firstStartBindsTheKeyAndHearsIt() {
        Desktop desktop(*bus_);
        desktop.client->start();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.bound.size(), 1, BusMs);
        QCOMPARE(desktop.bound.at(0).at(0).toString(), u"Meta+Q"_s);
        StandInPortal& portal = *desktop.portal;
        QCOMPARE(portal.members(), (QStringList{u"Get"_s, u"CreateSession"_s, u"ListShortcuts"_s,
                                                u"BindShortcuts"_s}));
        QCOMPARE(portal.calls.at(3).arguments().at(0).value<QDBusObjectPath>().path(),
                 portal.session);

        const QVariantMap token{{u"activation_token"_s, u"token-1"_s}};
        portal.activate(u"quick-list"_s, token, portal.session);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.activated.size(), 1, BusMs);
        QCOMPARE(desktop.activated.at(0).at(0).toString(), u"token-1"_s);
        portal.activate(u"another-key"_s, token, portal.session);
        portal.activate(u"quick-list"_s, token, portal.session + u"x"_s);
        portal.activate(u"quick-list"_s, {}, portal.session);  // delivered in order, after the two
        QTRY_COMPARE_WITH_TIMEOUT(desktop.activated.size(), 2, BusMs);
        QCOMPARE(desktop.activated.at(1).at(0).toString(), QString());
        QCOMPARE(portalLines, 0);

        desktop.client.reset();
        QTRY_VERIFY_WITH_TIMEOUT(portal.members().contains(u"Close"_s), BusMs);
        QCOMPARE(portal.calls.constLast().path(), portal.session);
    }

    // Later starts: the desktop still has the key, so the user is not asked
    // again. The portal answers before its reply reaches us here, which a
    // client that listens only once it has the reply would miss.
    void laterStartFindsTheKeyBound() {
        Desktop desktop(*bus_);
        desktop.portal->alreadyBound = true;
        desktop.portal->responseFirst = true;
        desktop.client->start();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.bound.size(), 1, BusMs);
        QCOMPARE(desktop.bound.at(0).at(0).toString(), u"Meta+Q"_s);
        QVERIFY(!desktop.portal->members().contains(u"BindShortcuts"_s));
    }

    // No bus, no portal, a portal without GlobalShortcuts, one that answers
    // with an error: no key, one line in the log, nothing else.
    void withoutTheInterfaceNothingHappens() {
        {
            QDBusConnection none =
                QDBusConnection::connectToBus(u"unix:path=/nonexistent"_s, u"none"_s);
            GlobalShortcutsPortal client(none);
            QSignalSpy unavailable(&client, &GlobalShortcutsPortal::unavailable);
            portalLines = 0;
            client.start();
            QCOMPARE(unavailable.size(), 1);
            QCOMPARE(portalLines, 1);
            QDBusConnection::disconnectFromBus(none.name());
        }
        for (const int kind : {0, 1, 2}) {
            Desktop desktop(*bus_, kind != 0);
            if (kind == 1)
                desktop.portal->offersShortcuts = false;
            if (kind == 2)
                desktop.portal->sessionError = u"org.freedesktop.DBus.Error.AccessDenied"_s;
            desktop.client->start();
            desktop.client->start();  // once is enough
            QTRY_COMPARE_WITH_TIMEOUT(desktop.unavailable.size(), 1, BusMs);
            QCOMPARE(portalLines, 1);
            QCOMPARE(desktop.bound.size(), 0);
            if (kind == 1)
                QCOMPARE(desktop.portal->members(), QStringList{u"Get"_s});
        }
    }

    // The user cancels the desktop's dialog: no key, one line, and the
    // program goes on as if it had never asked.
    void cancelledDialogBindsNothing() {
        Desktop desktop(*bus_);
        desktop.portal->bindResponse = 1;
        desktop.client->start();
        QTRY_COMPARE_WITH_TIMEOUT(portalLines, 1, BusMs);
        QCOMPARE(desktop.bound.size(), 0);
        QCOMPARE(desktop.unavailable.size(), 0);
    }

    // The portal lives in this very thread: a client that waited for its
    // answer would keep it from answering until the call timed out, and the
    // late answer below would find nobody. A portal that never answers
    // leaves a client that goes away quietly.
    void aSlowPortalHoldsNothingUp() {
        {
            Desktop desktop(*bus_);
            desktop.portal->holdAnswers = true;
            desktop.client->start();
            QTRY_COMPARE_WITH_TIMEOUT(desktop.portal->calls.size(), 1, BusMs);
            QCOMPARE(desktop.bound.size(), 0);
            desktop.portal->release();
            QTRY_COMPARE_WITH_TIMEOUT(desktop.bound.size(), 1, BusMs);
        }
        Desktop silent(*bus_);
        silent.portal->holdAnswers = true;
        silent.client->start();
        QTRY_COMPARE_WITH_TIMEOUT(silent.portal->calls.size(), 1, BusMs);
        silent.client.reset();
        QCOMPARE(silent.unavailable.size(), 0);
        QCOMPARE(portalLines, 0);
    }
};

QTEST_GUILESS_MAIN(TestGlobalShortcuts)
#include "test_qt_global_shortcuts.moc"
