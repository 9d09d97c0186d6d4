// The tray icon control, the tray menu and the quick list.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "model/ImageKeys.h"
#include "tray/SysTray.h"
#include "tray/TrayMenu.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTrayIcon : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void theControlAddsOneIconAndTurnsMessagesIntoEvents() {
        FakeTray port;
        {
            SysTray tray(port);
            tray.SetTrayTip(QString(70, u'x'));  // only stored until the icon is added
            tray.SetTrayIcon({TrayPicture::Icon, u"varnel"_s});
            tray.SetInTray(true);
            tray.SetInTray(true);
            tray.SetTrayIcon({TrayPicture::Bitmap, u"picture"_s});
            QCOMPARE(u"%1 %2 %3"_s.arg(port.adds).arg(port.tip.size()).arg(port.icon),
                     u"1 63 varnel"_s);
            QString ups;  // all that the form listens to
            tray.MouseUp = [&](int button, int) { ups += QString::number(button); };
            for (int message : {0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x209})
                tray.notify(0, message);
            QCOMPARE(ups, u"12"_s);
        }
        QCOMPARE(port.removes, 1);  // destroying the control takes the icon out
    }

    // Not from inside the notification: the menu opens a moment later, its
    // quick list read first. A host's menu is prepared just before it opens;
    // without that, "Quick List" is greyed and shows one "Empty".
    void aRightClickReadsTheSettingsBeforeTheMenuOpensLater() {
        FormHarness h;
        h.writeSettings({u"[QuickList]"_s, u"QLI=Editor\t/usr/bin/vi"_s});
        h.load();
        h.click(TrayRightUp);
        h.wait(249);
        QVERIFY(h.fake.menus.shown.empty());
        h.wait(1);
        QCOMPARE(h.fake.menus.shown.size(), size_t(1));
        QVERIFY(h.fake.menus.lastEntry(TrayMenuId::tiQuickList)->enabled);
        QCOMPARE(h.fake.menus.lastEntry(TrayMenuId::qlQuickAccess, 0)->caption, u"Editor"_s);

        FormHarness host;
        host.writeSettings({u"QLI=Editor\t/usr/bin/vi"_s});
        host.load();
        const MenuEntry unread = host.form->tray().trayMenuForHost().children.at(2);
        QVERIFY(!unread.enabled && !unread.children.at(1).visible);
        QCOMPARE(unread.children.at(0).caption, u"Empty"_s);
        host.form->tray().trayMenuAboutToShow();
        QCOMPARE(host.form->tray().trayMenuForHost().children.at(2).children.at(0).caption,
                 u"Editor"_s);
    }

    // Entries are tied to nodes by equal text and path; the list keeps the
    // order of adding, closes gaps and holds 64 at most.
    void addingAndRemovingKeepsTheMenuInStep() {
        FormHarness h;
        h.loadAndShow();
        Tray& tray = h.form->tray();
        auto item = [&h](const QString& text, const QString& path) {
            TreeNode* node = h.form->tree().Add(nullptr, tvwLast, QString(), text, u"leaf"_s);
            node->SetTag(path);
            return node;
        };
        auto quick = [&](TreeNode* node, bool add) {
            h.form->tree().SetSelectedItem(node);
            add ? tray.tvAddQuickList_Click() : tray.tvRmvQuickList_Click();
        };
        TreeNode* a = item(u"A"_s, u"/a"_s);
        TreeNode* b = item(u"B"_s, u"/b"_s);
        TreeNode* c = item(u"B"_s, u"/c"_s);
        TreeNode* d = item(u"D"_s, u"/d"_s);
        h.form->settings().SaveSettings();
        quick(a, true);
        QVERIFY(h.form->settings().SettingsDirty());
        for (TreeNode* node : {b, item(u"B"_s, u"/b"_s), c, d})
            quick(node, true);
        quick(b, false);
        QCOMPARE(tray.FindQuickEntry(c), 1);  // the twin counted as b, the gap closed
        QCOMPARE(tray.Quick().MenuPlaces()[2].caption, u"D"_s);
        QVERIFY(!tray.Quick().MenuPlaces()[3].visible);
        h.form->settings().SaveSettings();
        quick(b, false);  // not in the list: nothing changes or is saved
        QVERIFY(!h.form->settings().SettingsDirty());
        quick(a, false);  // every caption after it moves up a place
        QCOMPARE(tray.Quick().MenuPlaces()[0].caption, u"B"_s);
        for (TreeNode* node : {c, d})
            quick(node, false);
        QVERIFY(h.form->settings().SettingsDirty());
        QVERIFY(tray.Quick().MenuPlaces()[0].visible);
        QCOMPARE(tray.Quick().MenuPlaces()[0].caption, u"Empty"_s);
        for (int i = 0; i < 65; ++i)
            quick(item(QString::number(i), u"/p"_s), true);
        QCOMPARE(tray.Quick().QuickLast(), 63);
    }

    // Only the last click launches, once the menu closed. A folder without a
    // path cannot open: the user is warned, the entry stays, and the window
    // never hides for the quick list.
    void quickListClicksLaunchOnlyTheLastOrWarnAndStay() {
        FormHarness h;
        h.writeSettings({u"QLI=Tmp\t/tmp"_s, u"QLI=Root\t/"_s});
        h.loadAndShow();
        h.click(TrayRightUp);
        h.fake.menus.choose(TrayMenuId::qlQuickAccess, 0);
        h.wait(350);
        h.form->tray().qlQuickAccess_Click(1);
        h.wait(249);
        QVERIFY(h.fake.shell.opened.empty());
        h.wait(1000);
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(u"/"_s)});
        QVERIFY(h.fake.window.visible);  // auto hide is the tree's, not the quick list's
        h.form->tree().SetSelectedItem(
            h.form->tree().Add(nullptr, tvwLast, QString(), u"F"_s, u"leaf"_s));
        h.form->tray().tvAddQuickList_Click();
        h.form->tray().qlQuickAccess_Click(2);
        h.wait(250);
        QCOMPARE(h.fake.messages.shown.at(0).text, u"Item is unavailable or no longer exist."_s);
        QCOMPARE(h.form->tray().Quick().QuickLast(), 2);
        QVERIFY(h.fake.window.visible);
    }

    // Each quick-list entry shows the picture its node shows in the tree,
    // collapsed: a folder's, a file's own icon, a web address's. In a
    // program never shown the right click looks up those few icons, in
    // time for the menu; the rest of the tree waits for the first showing.
    // Twins find their own nodes; an entry whose node is gone, and the
    // menu's own entries, show none. A host's menu shows the same.
    void theQuickListShowsEachEntrysOwnPicture() {
        FormHarness h;
        const QString text = h.temp->filePath(u"a.txt"_s), other = h.temp->filePath(u"b.txt"_s);
        for (const QString& path : {text, other})
            QFile(path).open(QIODevice::WriteOnly);
        h.fake.images.hasIcons = true;
        const auto node = [](const QString& label, const QString& path, const QString& image) {
            return u"Node=%1\t%2\t%3\t\tFalse\t0\tFalse"_s.arg(label, path, image);
        };
        h.writeSettings({node(u"Docs"_s, u"/tmp"_s, u"closed"_s), node(u"Text"_s, text, u"7"_s),
                         node(u"Twin"_s, u"/tmp"_s, u"leaf"_s), node(u"Docs"_s, u"/tmp"_s, u"8"_s),
                         node(u"Web"_s, u"https://example.org/"_s, u"7"_s),
                         node(u"Later"_s, other, u"7"_s), u"[QuickList]"_s,
                         u"QLI=Web\thttps://example.org/"_s, u"QLI=Docs\t/tmp"_s,
                         u"QLI=Text\t"_s + text, u"QLI=Gone\t/gone"_s, u"QLI=Twin\t/tmp"_s});
        h.load();
        h.click(TrayRightUp);
        h.wait(250);
        // The theme name of each picture: the fixed ones by key, icons by
        // the name they were looked up under.
        const auto named = [&h](const QString& image) {
            const int index = image.toInt();
            if (index < ImageKeys::FirstItemIconIndex)
                return image;
            const int handle = h.fake.images.keys.at(index - 1).mid(1).toInt();
            return h.fake.images.handles.at(handle - 1);
        };
        const auto pictures = [&named](const MenuEntry& menu) {
            QStringList out;
            for (const MenuEntry& entry : menu.children.at(2).children)
                if (entry.visible)
                    out << named(entry.image);
            for (const MenuEntry& entry : menu.children)
                out << entry.image;
            return out.join(u',');
        };
        const QString expected = u"text-html,closed,text-plain,,leaf,,,,,,,,"_s;
        QCOMPARE(pictures(h.fake.menus.shown.at(0)), expected);
        QCOMPARE(pictures(h.form->tray().trayMenuForHost()), expected);
        QVERIFY(ImageKeys::isWaiting(h.form->tree().Item(6)->Image()));
    }

    // A web address's picture is known without asking anyone; held back
    // behind a batch already under way, it still reaches a host that read
    // the menu meanwhile.
    void aWebAddressPictureKnownAfterABatchReachesTheHost() {
        FormHarness h;
        QStringList lines;
        for (int i = 0; i < 300; ++i)  // more than one batch before it
            lines << u"Node=F%1\t/f%1\t7\t\tFalse\t0\tFalse"_s.arg(i);
        lines << u"Node=Web\thttps://example.org/\t7\t\tFalse\t0\tFalse"_s << u"[QuickList]"_s
              << u"QLI=Web\thttps://example.org/"_s;
        h.writeSettings(lines);
        h.fake.images.hasIcons = true;
        h.fake.work.hold = true;
        h.loadAndShow();
        Tray& tray = h.form->tray();
        tray.trayMenuAboutToShow();
        QCOMPARE(tray.trayMenuForHost().children.at(2).children.at(0).image, u"leaf"_s);
        while (h.fake.work.release()) {
        }
        h.wait(0);
        QCOMPARE(h.fake.tray.menuChanges, 1);
        QVERIFY(tray.trayMenuForHost().children.at(2).children.at(0).image != u"leaf"_s);
    }

    // A left click shows the window once and then only raises it. A tray
    // that comes late is waited for a moment; one that goes away brings the
    // window up; one that comes back takes the hiding again.
    void theTrayMenuCommandsRunTheirRoutines() {
        FormHarness h;
        h.load();
        h.click(TrayLeftUp);
        h.fake.window.state = StateMaximized;
        h.click(TrayLeftUp);
        QCOMPARE(u"%1 %2"_s.arg(h.fake.window.shows).arg(h.fake.window.broughtToFront), u"1 1"_s);
        QCOMPARE(h.fake.window.state, int(StateMaximized));
        auto choose = [&h](TrayMenuId id) {
            h.fake.menus.choose(id);
            h.click(TrayRightUp);
            h.wait(250);
        };
        choose(TrayMenuId::tiHide);
        QVERIFY(!h.fake.window.visible && !h.form->tray().OffersHide());
        choose(TrayMenuId::tiOpen);
        QVERIFY(h.fake.window.visible);
        choose(TrayMenuId::tiHide);
        Tray& tray = h.form->tray();
        tray.trayHostChanged(TrayHost::Awaited);  // a panel back in time
        h.wait(Tray::TrayWaitMs - 1);
        tray.trayHostChanged(TrayHost::Present);
        h.wait(Tray::TrayWaitMs);
        QVERIFY(!h.fake.window.visible);
        tray.trayHostChanged(TrayHost::Awaited);  // the panel crashed
        h.wait(Tray::TrayWaitMs - 1);
        QVERIFY(!h.fake.window.visible);
        h.wait(1);
        QVERIFY(h.fake.window.visible);
        tray.trayHostChanged(TrayHost::Present);  // it restarted
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(!h.fake.window.visible);
        choose(TrayMenuId::tiAbout);  // over the hidden window's rectangle
        const TwipsRect w = h.fake.window.rect;
        QCOMPARE(h.fake.about.shownAt.at(0).top, w.top + (w.height - 3510) / 2);
        choose(TrayMenuId::tiUnload);
        h.wait(100);
        QCOMPARE(h.fake.window.quits, 1);
    }
};

QTEST_GUILESS_MAIN(TestTrayIcon)
#include "test_tray.moc"
