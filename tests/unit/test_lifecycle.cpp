// Start-up, close requests, unloading and the window helpers.
#include "FormHarness.h"
#include "app/CenterForm.h"
#include "app/LongPath.h"
#include "platform/Timer.h"

#include <QDir>
#include <QFile>
#include <QTest>

class LifecycleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsHiddenWithItsIconInTheTray() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        QVERIFY(!h.fake.window.visible);
        QVERIFY(h.fake.tray.shown);
        QCOMPARE(h.fake.tray.tip, QStringLiteral("Varnel"));
        QCOMPARE(h.fake.tray.icon, QStringLiteral("varnel"));
        QVERIFY(h.form->SettingsPending);
        QVERIFY(h.form->SettingsDirty);
        QVERIFY(h.form->SaveSetTimer->isActive());
        QVERIFY(h.form->trayMenu.OpenVisible);
        QVERIFY(!h.form->trayMenu.HideVisible);
    }

    void startUpCentresAndRemembersTheRectangle() {
        FormHarness h;
        h.fake.window.rect = {0, 0, 4001, 7001};
        h.fake.window.screen = {28800, 16200};
        QVERIFY(h.form->Form_Load());
        const TwipsRect r = h.fake.window.rect;
        QCOMPARE(r.top, (16200 - 4001) / 2);
        QCOMPARE(r.left, (28800 - 7001) / 2);
        QCOMPARE(h.form->SavedTop, r.top);
        QCOMPARE(h.form->SavedWidth, 7001);
        QCOMPARE(h.form->StartWidth, 7001);
        QCOMPARE(h.form->StartHeight, 4001);
        QVERIFY(h.form->LayoutReady);
        // The status bar has no rectangle of its own: five rows.
        QCOMPARE(int(h.form->controlLayout.size()), 5);
        QCOMPARE(h.form->LayoutIndexOf(Control::TreeView), 3);
        QCOMPARE(h.form->LayoutIndexOf(Control::BarStatus), -1);
    }

    void aSecondInstanceShowsItsMessageAndLeavesTheFirstAlone() {
        FormHarness first;
        QVERIFY(first.form->Form_Load());
        FormHarness second(first.paths.programDir);
        QVERIFY(!second.form->Form_Load());
        QCOMPARE(second.fake.messages.shown.size(), size_t(1));
        QCOMPARE(second.fake.messages.shown[0].text,
                 QStringLiteral("Varnel is already installed in the Tray"));
        QCOMPARE(second.fake.messages.shown[0].title, QStringLiteral("Varnel"));
        QCOMPARE(second.fake.messages.shown[0].icon, MsgIcon::None);
        QVERIFY(second.fake.tray.calls.isEmpty());
        QVERIFY(!second.form->SaveSetTimer->isActive());
        QVERIFY(first.fake.tray.shown);
        // Once the first has gone, a new start succeeds.
        first.form.reset();
        FormHarness third(first.paths.programDir);
        QVERIFY(third.form->Form_Load());
    }

    void unloadWithinTheFirstMinuteWritesNoFile() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.wait(30000);
        h.form->tiUnload_Click();
        QCOMPARE(h.fake.window.quits, 0);  // not inside the menu's own click
        h.wait(100);
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(!h.fake.tray.shown);
        QVERIFY(!h.settingsExist());
    }

    void unloadSavesPendingChanges() {
        FormHarness h;
        h.loadAndShow();
        h.form->tvAutoHide_Click();
        h.form->tvUnload_Click();
        h.wait(100);
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(h.settingsLines().contains(QStringLiteral("Hide=False")));
    }

    void theCloseBoxHidesAndSavesButNeverEnds() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(h.fake.window.visible);
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(!h.fake.window.visible);
        QVERIFY(h.form->trayMenu.OpenVisible);
        QVERIFY(!h.form->trayMenu.HideVisible);
        QVERIFY(h.settingsExist());  // the first save after showing creates the file
        QCOMPARE(h.fake.window.quits, 0);
        QVERIFY(h.fake.tray.shown);
    }

    void otherCloseReasonsSaveAndAreNotCancelled() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(!h.form->Form_QueryUnload(vbAppWindows));
        QVERIFY(h.settingsExist());
    }

    void theSessionEndingUnloadsInOrderOnce() {
        FormHarness h;
        h.loadAndShow();
        h.form->SessionEnding();
        h.form->SessionEnding();  // a second signal during the unload changes nothing
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(!h.fake.tray.shown);
        QCOMPARE(h.fake.tray.calls.count(QStringLiteral("remove")), 1);
        QVERIFY(h.settingsExist());
    }

    void anUnloadAfterACancelledSaveStillEnds() {
        FormHarness h;
        h.loadAndShow();
        // A directory where the file should be: it can be neither read nor replaced.
        QVERIFY(QDir().mkpath(h.paths.settingsPath));
        h.form->tvUnload_Click();
        h.wait(100);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QCOMPARE(h.fake.window.quits, 1);
    }

    void withoutATrayTheWindowShowsAndTheCloseBoxMinimises() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.form->trayUnavailable();
        QVERIFY(h.fake.window.visible);
        QVERIFY(!h.form->SettingsPending);
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.window.state, int(StateMinimized));
    }

    void centringOnAnOwnerUsesWholeNumbers() {
        const TwipsRect owner{1000, 2000, 4001, 6001};
        const TwipsRect box = CenterOnOwner({0, 0, 1000, 2000}, owner);
        QCOMPARE(box.top, 1000 + 3001 / 2);
        QCOMPARE(box.left, 2000 + 4001 / 2);
        QCOMPARE(box.width, 2000);
    }

    void longPathSpellsComponentsAsTheFileSystemDoes() {
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkpath(QStringLiteral("Program Files/Accessories")));
        const QString base = temp.path();
        QCOMPARE(LongPath(base + QStringLiteral("/program files/ACCESSORIES")),
                 base + QStringLiteral("/Program Files/Accessories"));
        QCOMPARE(LongPath(base + QStringLiteral("//Program Files///")),
                 base + QStringLiteral("/Program Files"));
        QCOMPARE(LongPath(QStringLiteral("/")), QStringLiteral("/"));
        const QString missing = base + QStringLiteral("/program files/nowhere");
        QCOMPARE(LongPath(missing), missing);
        // Two names that differ only in case: no one spelling to choose.
        QVERIFY(QDir(base).mkpath(QStringLiteral("Twin")));
        QVERIFY(QDir(base).mkpath(QStringLiteral("TWIN")));
        QCOMPARE(LongPath(base + QStringLiteral("/twin")), base + QStringLiteral("/twin"));
        QCOMPARE(LongPath(base + QStringLiteral("/Twin")), base + QStringLiteral("/Twin"));
    }
};

QTEST_GUILESS_MAIN(LifecycleTest)
#include "test_lifecycle.moc"
