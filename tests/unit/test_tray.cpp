// The tray icon control, the tray menu and the quick list.
#include "FormHarness.h"
#include "platform/Timer.h"
#include "tray/SysTray.h"

#include <QTest>

namespace {
TreeNode* addItem(FrmVarnel& form, const QString& text, const QString& path) {
    TreeNode* node = form.Tree().Add(nullptr, tvwLast, QString(), text, QStringLiteral("leaf"));
    node->SetTag(path);
    return node;
}

void addToQuickList(FrmVarnel& form, TreeNode* node) {
    form.Tree().SetSelectedItem(node);
    form.tvAddQuickList_Click();
}

QStringList visibleQuickCaptions(const FakePopupMenus& menus) {
    QStringList captions;
    for (int i = 0; i < 64; ++i) {
        const MenuEntry* place = menus.lastEntry(QStringLiteral("qlQuickAccess"), i);
        if (place && place->visible) captions << place->caption;
    }
    return captions;
}
}  // namespace

class TrayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theControlAddsOneIconAndKeepsItsTip() {
        FakeTray port;
        {
            SysTray tray(port);
            tray.SetTrayTip(QStringLiteral("Before"));  // only stored
            QVERIFY(port.calls.isEmpty());
            tray.SetTrayIcon({TrayPicture::Icon, QStringLiteral("varnel")});
            tray.SetInTray(true);
            tray.SetInTray(true);
            QCOMPARE(port.calls, QStringList{QStringLiteral("add")});
            QCOMPARE(port.tip, QStringLiteral("Before"));
            tray.SetTrayIcon({TrayPicture::Bitmap, QStringLiteral("picture")});
            QCOMPARE(port.icon, QStringLiteral("varnel"));
            QCOMPARE(tray.TrayIcon().name, QStringLiteral("varnel"));
            tray.SetTrayTip(QString(70, QLatin1Char('x')));
            QCOMPARE(port.tip.size(), 63);
            QCOMPARE(tray.TrayTip().size(), 70);
        }
        // Destroying the control takes the icon out of the tray.
        QCOMPARE(port.calls.last(), QStringLiteral("remove"));
        QVERIFY(!port.shown);
        FakeTray idle;
        SysTray never(idle);
        never.SetInTray(false);
        QVERIFY(idle.calls.isEmpty());
    }

    void mouseMessagesBecomeEventsWithTheirButton() {
        FakeTray port;
        SysTray tray(port);
        QStringList events;
        tray.MouseUp = [&](int button, int) { events << QStringLiteral("up%1").arg(button); };
        tray.MouseDown = [&](int button, int) { events << QStringLiteral("down%1").arg(button); };
        tray.MouseDblClick = [&](int button, int) { events << QStringLiteral("dbl%1").arg(button); };
        for (int message : {0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x209})
            tray.notify(0, message);
        QCOMPARE(events, (QStringList{QStringLiteral("down1"), QStringLiteral("up1"),
                                      QStringLiteral("dbl1"), QStringLiteral("down2"),
                                      QStringLiteral("up2"), QStringLiteral("dbl2")}));
    }

    void aRightClickReadsTheSettingsBeforeTheMenuOpens() {
        FormHarness h;
        h.writeSettings({QStringLiteral("[QuickList]"), QStringLiteral("QLI=Editor\t/usr/bin/vi")});
        QVERIFY(h.form->Form_Load());
        h.form->trayNotify(0, TrayRightUp);
        QVERIFY(h.fake.menus.shown.empty());  // not from inside the notification
        h.wait(249);
        QVERIFY(h.fake.menus.shown.empty());
        h.wait(1);
        QCOMPARE(h.fake.menus.shown.size(), size_t(1));
        QVERIFY(h.fake.menus.lastEntry(QStringLiteral("tiQuickList"))->enabled);
        QCOMPARE(visibleQuickCaptions(h.fake.menus), QStringList{QStringLiteral("Editor")});
        QVERIFY(!h.fake.window.visible);
        QVERIFY(!h.form->PopMenuEvent->isActive());
    }

    void aMenuOnlyTrayHostGetsTheMenuPreparedAsARightClickWould() {
        FormHarness h;
        h.writeSettings({QStringLiteral("QLI=Editor\t/usr/bin/vi")});
        QVERIFY(h.form->Form_Load());
        const MenuEntry menu = h.form->trayMenuForHost();
        QVERIFY(!h.form->SettingsPending);
        QCOMPARE(menu.children.at(2).name, QStringLiteral("tiQuickList"));
        QVERIFY(menu.children.at(2).enabled);
        QCOMPARE(menu.children.at(2).children.at(0).caption, QStringLiteral("Editor"));
        h.form->trayMenuChosen({QStringLiteral("tiOpen"), -1});
        QVERIFY(h.fake.window.visible);
    }

    void anEmptyQuickListGreysItsEntryAndShowsOneEmptyPlace() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.form->trayNotify(0, TrayRightUp);
        h.wait(250);
        const MenuEntry* quick = h.fake.menus.lastEntry(QStringLiteral("tiQuickList"));
        QVERIFY(!quick->enabled);
        QCOMPARE(visibleQuickCaptions(h.fake.menus), QStringList{QStringLiteral("Empty")});
        QVERIFY(h.fake.menus.lastEntry(QStringLiteral("tiOpen"))->visible);
        QVERIFY(!h.fake.menus.lastEntry(QStringLiteral("tiHide"))->visible);
    }

    void addingAndRemovingKeepsTheMenuInStep() {
        FormHarness h;
        h.loadAndShow();
        TreeNode* a = addItem(*h.form, QStringLiteral("A"), QStringLiteral("/a"));
        TreeNode* b = addItem(*h.form, QStringLiteral("B"), QStringLiteral("/b"));
        TreeNode* c = addItem(*h.form, QStringLiteral("C"), QStringLiteral("/c"));
        for (TreeNode* node : {a, b, c}) addToQuickList(*h.form, node);
        QCOMPARE(h.form->quickList.QuickLast(), 2);
        h.form->Tree().SetSelectedItem(b);
        h.form->tvRmvQuickList_Click();
        const auto& places = h.form->quickList.MenuPlaces();
        QCOMPARE(places[0].caption, QStringLiteral("A"));
        QCOMPARE(places[1].caption, QStringLiteral("C"));
        QVERIFY(!places[2].visible);
        QCOMPARE(places[2].caption, QStringLiteral("Empty"));
        QCOMPARE(h.form->FindQuickEntry(c), 1);
        // Removing what is not in the list changes and schedules nothing.
        h.form->SaveSettings();
        h.form->tvRmvQuickList_Click();
        QVERIFY(!h.form->SettingsDirty);
        // Removing the last ones leaves place 0 visible, reading "Empty".
        for (TreeNode* node : {a, c}) {
            h.form->Tree().SetSelectedItem(node);
            h.form->tvRmvQuickList_Click();
        }
        QCOMPARE(h.form->quickList.QuickLast(), -1);
        QVERIFY(places[0].visible);
        QCOMPARE(places[0].caption, QStringLiteral("Empty"));
        QVERIFY(h.form->SettingsDirty);
    }

    void entriesAreTiedToNodesByTextAndPath() {
        FormHarness h;
        h.loadAndShow();
        TreeNode* one = addItem(*h.form, QStringLiteral("Same"), QStringLiteral("/x"));
        TreeNode* twin = addItem(*h.form, QStringLiteral("Same"), QStringLiteral("/x"));
        TreeNode* other = addItem(*h.form, QStringLiteral("Same"), QStringLiteral("/y"));
        addToQuickList(*h.form, one);
        addToQuickList(*h.form, twin);  // counts as the same entry
        addToQuickList(*h.form, other);
        QCOMPARE(h.form->quickList.QuickLast(), 1);
        QCOMPARE(h.form->FindQuickEntry(twin), 0);
        QCOMPARE(h.form->FindQuickEntry(other), 1);
    }

    void aFullListTakesNoMore() {
        FormHarness h;
        h.loadAndShow();
        for (int i = 0; i < 64; ++i)
            addToQuickList(*h.form, addItem(*h.form, QString::number(i), QStringLiteral("/p")));
        QCOMPARE(h.form->quickList.QuickLast(), 63);
        addToQuickList(*h.form, addItem(*h.form, QStringLiteral("65th"), QStringLiteral("/p")));
        QCOMPARE(h.form->quickList.QuickLast(), 63);
        QCOMPARE(h.form->quickList.MenuPlaces()[63].caption, QStringLiteral("63"));
    }

    void quickListClicksLaunchOnlyTheLastOnceAfterTheMenuClosed() {
        FormHarness h;
        h.writeSettings({QStringLiteral("QLI=Tmp\t/tmp"), QStringLiteral("QLI=Root\t/")});
        QVERIFY(h.form->Form_Load());
        h.form->trayNotify(0, TrayRightUp);
        h.fake.menus.choices = {{QStringLiteral("qlQuickAccess"), 0}};
        h.wait(250);
        QVERIFY(h.fake.shell.opened.empty());
        h.wait(100);
        h.form->qlQuickAccess_Click(1);
        QVERIFY(h.fake.shell.opened.empty());
        h.wait(250);
        QCOMPARE(h.fake.shell.opened.size(), size_t(1));
        QCOMPARE(h.fake.shell.opened[0], QUrl::fromLocalFile(QStringLiteral("/")));
        h.wait(1000);
        QCOMPARE(h.fake.shell.opened.size(), size_t(1));
        QVERIFY(!h.fake.window.visible);
    }

    void aQuickEntryThatCannotOpenWarnsAndStays() {
        FormHarness h;
        h.loadAndShow();
        TreeNode* folder =
            h.form->Tree().Add(nullptr, tvwLast, QString(), QStringLiteral("F"), QStringLiteral("closed"));
        addToQuickList(*h.form, folder);  // a folder without a path may be added
        h.form->qlQuickAccess_Click(0);
        h.wait(250);
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QCOMPARE(h.fake.messages.shown[0].text, QStringLiteral("Item is unavailable or no longer exist."));
        QCOMPARE(h.fake.messages.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(h.form->quickList.QuickLast(), 0);
        QVERIFY(h.fake.window.visible);  // the quick list never hides
        // Its empty path is written, and skipped when read again.
        h.form->SaveSettings();
        QVERIFY(h.settingsLines().contains(QStringLiteral("QLI=F\t")));
    }

    void aLeftClickShowsTheWindowOnceAndThenOnlyRaisesIt() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.form->trayNotify(0, TrayLeftUp);
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.window.shows, 1);
        QVERIFY(!h.form->SettingsPending);
        QVERIFY(h.form->trayMenu.HideVisible);
        QVERIFY(!h.form->trayMenu.OpenVisible);
        h.fake.window.state = StateMaximized;
        h.form->trayNotify(0, TrayLeftUp);
        QCOMPARE(h.fake.window.shows, 1);
        QCOMPARE(h.fake.window.broughtToFront, 1);
        QCOMPARE(h.fake.window.state, int(StateMaximized));
    }

    void theTrayMenuCommandsRunTheirRoutines() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        auto choose = [&h](const char* name) {
            h.fake.menus.choices = {{QLatin1String(name), -1}};
            h.form->trayNotify(0, TrayRightUp);
            h.wait(250);
        };
        choose("tiOpen");
        QVERIFY(h.fake.window.visible);
        choose("tiHide");
        QVERIFY(!h.fake.window.visible);
        QVERIFY(h.form->trayMenu.OpenVisible);
        choose("tiAbout");
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        choose("tiCancel");
        QCOMPARE(h.fake.window.quits, 0);
        choose("tiUnload");
        h.wait(100);
        QCOMPARE(h.fake.window.quits, 1);
    }
};

QTEST_GUILESS_MAIN(TrayTest)
#include "test_tray.moc"
