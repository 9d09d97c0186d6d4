// The tray icon control, the tray menu and the quick list.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "tray/SysTray.h"
#include "tray/TrayMenu.h"

#include <QTest>

namespace {
TreeNode* addItem(FrmVarnel& form, const QString& text, const QString& path) {
    TreeNode* node = form.tree().Add(nullptr, tvwLast, QString(), text, QStringLiteral("leaf"));
    node->SetTag(path);
    return node;
}

void select(FrmVarnel& form, TreeNode* node) {
    form.tree().SetSelectedItem(node);
}

QStringList visibleQuickCaptions(const FakePopupMenus& menus) {
    QStringList captions;
    for (int i = 0; i < 64; ++i) {
        const MenuEntry* place = menus.lastEntry(TrayMenuId::qlQuickAccess, i);
        if (place && place->visible)
            captions << place->caption;
    }
    return captions;
}
}  // namespace

class TestTrayIcon : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void theControlAddsOneIconAndTurnsMessagesIntoEvents() {
        FakeTray port;
        {
            SysTray tray(port);
            tray.SetTrayTip(QStringLiteral("Before"));  // only stored
            tray.SetTrayIcon({TrayPicture::Icon, QStringLiteral("varnel")});
            QCOMPARE(port.adds, 0);
            tray.SetInTray(true);
            tray.SetInTray(true);
            QCOMPARE(port.adds, 1);
            QCOMPARE(port.tip, QStringLiteral("Before"));
            tray.SetTrayIcon({TrayPicture::Bitmap, QStringLiteral("picture")});
            QCOMPARE(port.icon, QStringLiteral("varnel"));
            tray.SetTrayTip(QString(70, QLatin1Char('x')));
            QCOMPARE(port.tip.size(), 63);

            QStringList events;
            tray.MouseUp = [&](int button, int) { events << QStringLiteral("up%1").arg(button); };
            tray.MouseDown = [&](int button, int) {
                events << QStringLiteral("down%1").arg(button);
            };
            tray.MouseDblClick = [&](int button, int) {
                events << QStringLiteral("dbl%1").arg(button);
            };
            for (int message : {0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x209})
                tray.notify(0, message);
            QCOMPARE(events.join(u' '), QStringLiteral("down1 up1 dbl1 down2 up2 dbl2"));
        }
        QCOMPARE(port.removes, 1);  // destroying the control takes the icon out
        FakeTray idle;
        SysTray(idle).SetInTray(false);
        QCOMPARE(idle.removes, 0);
    }

    void aRightClickReadsTheSettingsBeforeTheMenuOpensLater() {
        FormHarness h;
        h.writeSettings({QStringLiteral("[QuickList]"), QStringLiteral("QLI=Editor\t/usr/bin/vi")});
        h.load();
        h.click(TrayRightUp);
        h.wait(249);
        QVERIFY(h.fake.menus.shown.empty());  // not from inside the notification
        h.wait(1);
        QCOMPARE(h.fake.menus.shown.size(), size_t(1));
        QVERIFY(h.fake.menus.lastEntry(TrayMenuId::tiQuickList)->enabled);
        QCOMPARE(visibleQuickCaptions(h.fake.menus), QStringList{QStringLiteral("Editor")});
        QVERIFY(!h.fake.window.visible);

        // A host's menu is the same, prepared the same way just before it
        // opens; without one, "Quick List" is greyed and shows one "Empty".
        FormHarness host;
        host.writeSettings({QStringLiteral("QLI=Editor\t/usr/bin/vi")});
        host.load();
        const MenuEntry unread = host.form->tray().trayMenuForHost();
        QVERIFY(!unread.children.at(2).enabled);  // not read for a look alone
        QCOMPARE(unread.children.at(2).children.at(0).caption, QStringLiteral("Empty"));
        QVERIFY(unread.children.at(2).children.at(0).visible &&
                !unread.children.at(2).children.at(1).visible);
        host.form->tray().trayMenuAboutToShow();
        QCOMPARE(host.form->tray().trayMenuForHost().children.at(2).children.at(0).caption,
                 QStringLiteral("Editor"));
    }

    // Entries are tied to nodes by equal text and path; the list keeps the
    // order of adding, closes gaps and holds 64 at most.
    void addingAndRemovingKeepsTheMenuInStep() {
        FormHarness h;
        h.loadAndShow();
        Tray& tray = h.form->tray();
        TreeNode* a = addItem(*h.form, QStringLiteral("A"), QStringLiteral("/a"));
        TreeNode* b = addItem(*h.form, QStringLiteral("B"), QStringLiteral("/b"));
        TreeNode* twin = addItem(*h.form, QStringLiteral("B"), QStringLiteral("/b"));
        TreeNode* c = addItem(*h.form, QStringLiteral("B"), QStringLiteral("/c"));
        for (TreeNode* node : {a, b, twin, c}) {
            select(*h.form, node);
            tray.tvAddQuickList_Click();
        }
        QCOMPARE(tray.Quick().QuickLast(), 2);  // the twin counts as b
        QCOMPARE(tray.FindQuickEntry(twin), 1);
        select(*h.form, b);
        tray.tvRmvQuickList_Click();
        const std::vector<MenuEntry> places = tray.Quick().MenuPlaces();
        QCOMPARE(places[0].caption + places[1].caption, QStringLiteral("AB"));
        QCOMPARE(tray.FindQuickEntry(c), 1);
        QVERIFY(!places[2].visible);
        QCOMPARE(places[2].caption, QStringLiteral("Empty"));
        h.form->settings().SaveSettings();
        tray.tvRmvQuickList_Click();  // not in the list: nothing changes or is saved
        QVERIFY(!h.form->settings().SettingsDirty());
        select(*h.form, b);
        tray.tvAddQuickList_Click();
        QVERIFY(h.form->settings().SettingsDirty());
        select(*h.form, b);
        tray.tvRmvQuickList_Click();
        for (TreeNode* node : {a, c}) {
            select(*h.form, node);
            tray.tvRmvQuickList_Click();
        }
        QVERIFY(tray.Quick().MenuPlaces()[0].visible);
        QCOMPARE(tray.Quick().MenuPlaces()[0].caption, QStringLiteral("Empty"));
        QVERIFY(h.form->settings().SettingsDirty());

        for (int i = 0; i < 65; ++i) {
            select(*h.form, addItem(*h.form, QString::number(i), QStringLiteral("/p")));
            tray.tvAddQuickList_Click();
        }
        QCOMPARE(tray.Quick().QuickLast(), 63);
        QCOMPARE(tray.Quick().MenuPlaces()[63].caption, QStringLiteral("63"));
    }

    void quickListClicksLaunchOnlyTheLastOnceAfterTheMenuClosed() {
        FormHarness h;
        h.writeSettings({QStringLiteral("QLI=Tmp\t/tmp"), QStringLiteral("QLI=Root\t/")});
        h.load();
        h.click(TrayRightUp);
        h.fake.menus.choose(TrayMenuId::qlQuickAccess, 0);
        h.wait(250);
        h.wait(100);
        h.form->tray().qlQuickAccess_Click(1);
        h.wait(249);
        QVERIFY(h.fake.shell.opened.empty());
        h.wait(1);
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(QStringLiteral("/"))});
        h.wait(1000);
        QCOMPARE(h.fake.shell.opened.size(), size_t(1));
        QVERIFY(!h.fake.window.visible);
    }

    void aQuickEntryThatCannotOpenWarnsAndStays() {
        FormHarness h;
        h.loadAndShow();
        select(*h.form,
               addItem(*h.form, QStringLiteral("F"), QString()));  // a folder without a path
        h.form->tray().tvAddQuickList_Click();
        h.form->tray().qlQuickAccess_Click(0);
        h.wait(250);
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QCOMPARE(h.fake.messages.shown[0].text,
                 QStringLiteral("Item is unavailable or no longer exist."));
        QCOMPARE(h.fake.messages.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(h.form->tray().Quick().QuickLast(), 0);
        QVERIFY(h.fake.window.visible);  // the quick list never hides
    }

    void aLeftClickShowsTheWindowOnceAndThenOnlyRaisesIt() {
        FormHarness h;
        h.load();
        h.click(TrayLeftUp);
        QCOMPARE(h.fake.window.shows, 1);
        QVERIFY(!h.form->settings().SettingsPending());
        QVERIFY(h.form->tray().OffersHide());
        h.fake.window.state = StateMaximized;
        h.click(TrayLeftUp);
        QCOMPARE(h.fake.window.shows, 1);
        QCOMPARE(h.fake.window.broughtToFront, 1);
        QCOMPARE(h.fake.window.state, int(StateMaximized));
    }

    // A tray that comes late is waited for a moment; one that goes away
    // brings the window up, whose close box then minimises; one that comes
    // back takes the hiding again.
    void theWindowStandsInForATrayThatIsNotThere() {
        FormHarness h;
        h.load();
        Tray& tray = h.form->tray();
        tray.trayHostChanged(TrayHost::Awaited);  // a session's panel still starting
        h.wait(Tray::TrayWaitMs - 1);
        tray.trayHostChanged(TrayHost::Present);
        h.wait(Tray::TrayWaitMs);
        QVERIFY(!h.fake.window.visible && tray.Available());
        tray.trayHostChanged(TrayHost::Awaited);  // the panel crashed
        h.wait(Tray::TrayWaitMs - 1);
        QVERIFY(!h.fake.window.visible);
        h.wait(1);
        QVERIFY(h.fake.window.visible && !tray.Available());
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QCOMPARE(h.fake.window.state, int(StateMinimized));
        h.fake.window.state = StateNormal;
        tray.trayHostChanged(TrayHost::Present);  // it restarted
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(!h.fake.window.visible && tray.Available());
    }

    void theTrayMenuCommandsRunTheirRoutines() {
        FormHarness h;
        h.load();
        auto choose = [&h](TrayMenuId id) {
            h.fake.menus.choose(id);
            h.click(TrayRightUp);
            h.wait(250);
        };
        choose(TrayMenuId::tiOpen);
        QVERIFY(h.fake.window.visible);
        choose(TrayMenuId::tiHide);
        QVERIFY(!h.fake.window.visible);
        QVERIFY(!h.form->tray().OffersHide());
        choose(TrayMenuId::tiAbout);  // over the hidden window's rectangle
        const TwipsRect w = h.fake.window.rect;
        const TwipsRect centred{w.top + (w.height - 3510) / 2, w.left + (w.width - 6615) / 2, 3510,
                                6615};
        QCOMPARE(h.fake.about.shownAt, std::vector<TwipsRect>{centred});
        QVERIFY(!h.fake.window.visible);
        choose(TrayMenuId::tiCancel);
        QCOMPARE(h.fake.window.quits, 0);
        choose(TrayMenuId::tiUnload);
        h.wait(100);
        QCOMPARE(h.fake.window.quits, 1);
    }
};

QTEST_GUILESS_MAIN(TestTrayIcon)
#include "test_tray.moc"
