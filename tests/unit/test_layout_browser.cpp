// How the controls follow the window, and the browser state the settings keep.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestLayoutBrowser : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each resize starts from the designed rectangles; a maximised window is
    // laid out but its normal rectangle is what is kept.
    void theControlsFollowTheWindowFromTheirDesignedRectangles() {
        FormHarness h;
        h.load();
        const auto rect = [&h](Control control) { return h.fake.window.controls.at(control); };
        const TwipsRect start = h.fake.window.rect;
        h.fake.window.rect.width = start.width * 3 / 2;
        h.fake.window.rect.height += 600;
        h.form->Form_Resize();
        h.form->Form_Resize();
        QCOMPARE(rect(Control::DirList), (TwipsRect{600, 120, 2280 + 600, 4163}));  // 4162.5
        const TwipsRect tree = rect(Control::TreeView);
        QCOMPARE(tree.left + tree.width + 8 * 15, h.fake.window.rect.width);
        QCOMPARE(tree.top + tree.height, 600 + 2280 + 600);
        QCOMPARE(rect(Control::PathDisp),
                 (TwipsRect{3000 + 600, 120, 300, 6615 + start.width / 2}));
        h.fake.window.state = StateMaximized;
        h.fake.window.rect.width = start.width * 2;
        h.form->Form_Resize();
        QCOMPARE(rect(Control::DirList).width, 2775 * 2);
        QCOMPARE(h.form->settings().SavedRect().width, start.width * 3 / 2);
        h.fake.window.twipsPerPixel = 10;  // 144 dots per inch: still 8 pixels each side
        h.form->Form_Resize();
        const TwipsRect dense = rect(Control::TreeView);
        QCOMPARE(dense.left - 120 - 2775 * 2, 8 * 10);
        QCOMPARE(h.fake.window.rect.width - dense.left - dense.width, 8 * 10);
    }

    // A font taller than the drive list's or the path label's designed line
    // makes them as tall as it needs; the lists between give up the room, the
    // path label keeps its bottom edge. A small font changes nothing.
    void oneLineControlsGrowToTheirFont() {
        FormHarness h;
        h.loadAndShow();
        const auto rect = [&h](Control control) { return h.fake.window.controls.at(control); };
        h.fake.window.minHeights = {{Control::DriveList, 200}, {Control::PathDisp, 300}};
        h.form->Form_Resize();
        QCOMPARE(rect(Control::DriveList), (TwipsRect{120, 120, 315, 2775}));
        QCOMPARE(rect(Control::DirList), (TwipsRect{600, 120, 2280, 2775}));
        QCOMPARE(rect(Control::PathDisp), (TwipsRect{3000, 120, 300, 6615}));

        h.fake.window.minHeights = {{Control::DriveList, 450}, {Control::PathDisp, 375}};
        h.fake.window.rect.height += 600;
        h.form->Form_Resize();
        const int lists = 2280 + 600 - 135 - 75;  // grown with the window, less both growths
        QCOMPARE(rect(Control::DriveList), (TwipsRect{120, 120, 450, 2775}));
        QCOMPARE(rect(Control::FileList), (TwipsRect{735, 120, lists - 240, 2775}));
        QCOMPARE(rect(Control::PathDisp), (TwipsRect{3000 + 600 - 75, 120, 375, 6615}));
        QCOMPARE(rect(Control::TreeView).top + rect(Control::TreeView).height, 735 + lists);
    }

    void smallerThanAtStartChangesAndRemembersNothing() {
        FormHarness h;
        h.loadAndShow();
        h.form->settings().SaveSettings();
        const auto before = h.fake.window.controls;
        h.fake.window.rect.width -= 15;
        h.fake.window.rect.height += 900;
        h.form->Form_Resize();
        QVERIFY(h.fake.window.controls == before);
        QVERIFY(!h.form->settings().SettingsDirty());
    }

    // What one run saves, the next restores and saves unchanged.
    void theBrowserKeepsAndRestoresItsFourValues() {
        QTemporaryDir temp;
        const QString work = QDir::cleanPath(temp.filePath(u"work"_s));
        QVERIFY(QDir(work).mkpath(u"b"_s) && QDir(work).mkpath(u"a"_s));
        QVERIFY(QFile(work + u"/f.txt"_s).open(QIODevice::WriteOnly));
        FormHarness first(temp.path());
        first.loadAndShow();
        first.form->browser().PointAt(work);
        first.form->browserMouse().DirList_Click(-2);
        first.fake.menus.choose(DirMenuId::dlViewFiles);
        first.form->browserMouse().DirList_MouseDown(ButtonRight, 0, 0, 0);
        first.form->settings().SaveSettings();
        const QStringList lines = first.settingsLines().mid(7, 4);
        QCOMPARE(lines, (QStringList{u"Drive="_s + QStorageInfo(work).rootPath(),
                                     u"DirPath="_s + work, u"DirSel=-2"_s, u"DirVis=False"_s}));
        first.form.reset();

        FormHarness second(temp.path());
        second.loadAndShow();
        second.form->settings().ScheduleSave();
        second.form->settings().SaveSettings();
        QCOMPARE(second.settingsLines().mid(7, 4), lines);
    }

    // The panel always has a place: kept when the file names a drive that is
    // not there, and written as such when the settings are read before any
    // showing.
    void theBrowserNeverSavesAnEmptyPlace() {
        FormHarness h;
        h.writeSettings(
            {u"Drive=/no/such/volume"_s, u"DirPath=/"_s, u"DirSel=0"_s, u"Hide=False"_s});
        h.load();
        h.wait(60000);  // the timer reads the settings; the window was never shown
        h.form->tvAutoHide_Click();
        h.wait(60000);
        const QString dir = QDir::cleanPath(h.paths.programDir);
        QCOMPARE(h.settingsLines().mid(7, 3),
                 (QStringList{u"Drive="_s + QStorageInfo(dir).rootPath(), u"DirPath="_s + dir,
                              u"DirSel=-1"_s}));
    }
};

QTEST_GUILESS_MAIN(TestLayoutBrowser)
#include "test_layout_browser.moc"
