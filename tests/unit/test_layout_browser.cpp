// How the controls follow the window, and the browser state the settings keep.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTest>

namespace {
TwipsRect rectOf(const FormHarness& h, Control control) {
    return h.fake.window.controls.at(control);
}
}  // namespace

class TestLayoutBrowser : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void theControlsFollowTheWindowFromTheirDesignedRectangles() {
        FormHarness h;
        h.load();
        const TwipsRect start = h.fake.window.rect;
        h.fake.window.rect.width = start.width * 3 / 2;
        h.fake.window.rect.height += 600;
        h.form->Form_Resize();
        h.form->Form_Resize();  // starts from the designed values every time
        QCOMPARE(rectOf(h, Control::DriveList).width, 2775 * 3 / 2 + 1);  // 4162.5 rounds up
        QCOMPARE(rectOf(h, Control::DirList), (TwipsRect{600, 120, 2280 + 600, 4163}));
        QCOMPARE(rectOf(h, Control::FileList).height, 2040 + 600);
        const TwipsRect tree = rectOf(h, Control::TreeView);
        QCOMPARE(tree.left, 120 + 4163 + 8 * 15);
        QCOMPARE(tree.left + tree.width + 8 * 15, h.fake.window.rect.width);
        QCOMPARE(tree.top + tree.height, 600 + 2280 + 600);
        QCOMPARE(rectOf(h, Control::PathDisp),
                 (TwipsRect{3000 + 600, 120, 300, 6615 + start.width / 2}));
        QCOMPARE(h.form->settings().SavedRect(), h.fake.window.rect);

        // Maximised: laid out, but the normal rectangle is what is kept.
        h.fake.window.state = StateMaximized;
        h.fake.window.rect.width = start.width * 2;
        h.form->Form_Resize();
        QCOMPARE(rectOf(h, Control::DirList).width, 2775 * 2);
        QCOMPARE(h.form->settings().SavedRect().width, start.width * 3 / 2);
    }

    void smallerThanAtStartChangesAndRemembersNothing() {
        FormHarness h;
        h.loadAndShow();
        h.form->settings().SaveSettings();
        const auto before = h.fake.window.controls;
        const TwipsRect saved = h.form->settings().SavedRect();
        h.fake.window.rect.width -= 15;
        h.fake.window.rect.height += 900;
        h.form->Form_Resize();
        QVERIFY(h.fake.window.controls == before);
        QVERIFY(!h.form->settings().SettingsDirty());
        QCOMPARE(h.form->settings().SavedRect(), saved);
    }

    void theBrowserKeepsAndRestoresItsFourValues() {
        QTemporaryDir temp;
        const QString work = QDir::cleanPath(temp.filePath(QStringLiteral("work")));
        QVERIFY(QDir(work).mkpath(QStringLiteral("b")));
        QVERIFY(QDir(work).mkpath(QStringLiteral("a")));
        QFile file(work + QStringLiteral("/f.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        FormHarness first(temp.path());
        first.loadAndShow();
        BrowserPanel& browser = first.form->browser();
        QCOMPARE(browser.DirPath(), QDir::cleanPath(temp.path()));
        DirListEvents& dirList = first.form->browserMouse();
        dirList.DirList_Click(0);  // work, the one subdirectory
        dirList.DirList_DblClick();
        QCOMPARE(browser.DirPath(), work);
        const QString drive = QStorageInfo(work).rootPath();
        QCOMPARE(browser.Drive(), drive);
        dirList.DirList_Click(-2);
        first.fake.menus.choose(DirMenuId::dlViewFiles);
        dirList.DirList_MouseDown(ButtonRight, 0, 0, 0);
        QVERIFY(!first.fake.dirList.visible && first.fake.fileList.visible);
        first.form->settings().SaveSettings();
        const QStringList lines = first.settingsLines();
        QCOMPARE(lines.mid(7, 4),
                 (QStringList{QStringLiteral("Drive=") + drive, QStringLiteral("DirPath=") + work,
                              QStringLiteral("DirSel=-2"), QStringLiteral("DirVis=False")}));
        first.form.reset();

        FormHarness second(temp.path());
        second.loadAndShow();
        QCOMPARE(second.form->browser().DirSel(), -2);
        QVERIFY(!second.form->browser().DirVis());
        second.form->settings().ScheduleSave();
        second.form->settings().SaveSettings();
        QCOMPARE(second.settingsLines().mid(7, 4), lines.mid(7, 4));
    }

    // The panel always has a place: from the start on the program's
    // directory, kept when the file names a drive that is not there, and
    // written as such when the settings are read before any showing.
    void theBrowserNeverSavesAnEmptyPlace() {
        FormHarness h;
        h.writeSettings({QStringLiteral("Drive=/no/such/volume"), QStringLiteral("DirPath=/"),
                         QStringLiteral("DirSel=0"), QStringLiteral("Hide=False")});
        h.load();
        h.wait(60000);  // the timer reads the settings; the window was never shown
        QCOMPARE(h.form->browser().DirSel(), -1);
        h.form->tvAutoHide_Click();
        h.wait(60000);
        const QString dir = QDir::cleanPath(h.paths.programDir);
        QCOMPARE(h.settingsLines().mid(7, 2),
                 (QStringList{QStringLiteral("Drive=") + QStorageInfo(dir).rootPath(),
                              QStringLiteral("DirPath=") + dir}));
    }
};

QTEST_GUILESS_MAIN(TestLayoutBrowser)
#include "test_layout_browser.moc"
