// How the controls follow the window, and the browser state the settings keep.
#include "FormHarness.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTest>

namespace {
TwipsRect rectOf(const FormHarness& h, Control control) { return h.fake.window.controls.at(control); }
}  // namespace

class LayoutBrowserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void widerWindowsWidenTheListsInProportion() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.fake.window.rect.width = h.form->StartWidth * 3 / 2;
        h.form->Form_Resize();
        QCOMPARE(rectOf(h, Control::DriveList).width, 2775 * 3 / 2 + 1);  // 4162.5 rounds up
        QCOMPARE(rectOf(h, Control::DirList).width, 4163);
        const TwipsRect tree = rectOf(h, Control::TreeView);
        QCOMPARE(tree.left, 120 + 4163 + 8 * 15);
        QCOMPARE(tree.left + tree.width + 8 * 15, h.fake.window.innerWidth());
        QCOMPARE(rectOf(h, Control::PathDisp).width, 6615 + h.form->StartWidth / 2);
        QCOMPARE(h.form->SavedWidth, h.fake.window.rect.width);
    }

    void tallerWindowsLengthenTheListsAndMoveTheLabelDown() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.fake.window.rect.height += 600;
        h.form->Form_Resize();
        QCOMPARE(rectOf(h, Control::DirList).height, 2280 + 600);
        QCOMPARE(rectOf(h, Control::FileList).height, 2040 + 600);
        QCOMPARE(rectOf(h, Control::PathDisp).top, 3000 + 600);
        const TwipsRect tree = rectOf(h, Control::TreeView);
        QCOMPARE(tree.top + tree.height, 600 + 2280 + 600);
        // Repeated resizes start from the designed values every time.
        h.form->Form_Resize();
        QCOMPARE(rectOf(h, Control::DirList).height, 2280 + 600);
    }

    void smallerThanAtStartChangesAndRemembersNothing() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.form->SaveSetTimer->stop();
        h.form->SettingsDirty = false;
        const auto before = h.fake.window.controls;
        h.fake.window.rect.width -= 15;
        h.fake.window.rect.height += 900;
        h.form->Form_Resize();
        QVERIFY(h.fake.window.controls == before);
        QVERIFY(!h.form->SettingsDirty);
        QVERIFY(h.form->SavedWidth != h.fake.window.rect.width);
    }

    void maximisingRelaysButKeepsTheNormalRectangle() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        const std::int32_t savedWidth = h.form->SavedWidth;
        h.fake.window.state = StateMaximized;
        h.fake.window.rect.width *= 2;
        h.form->Form_Resize();
        QCOMPARE(rectOf(h, Control::DirList).width, 2775 * 2);
        QCOMPARE(h.form->SavedWidth, savedWidth);
    }

    void theBrowserKeepsAndRestoresItsFourValues() {
        QTemporaryDir temp;
        const QString work = QDir::cleanPath(temp.filePath(QStringLiteral("work")));
        QVERIFY(QDir(work).mkpath(QStringLiteral("b")));
        QVERIFY(QDir(work).mkpath(QStringLiteral("a")));
        FormHarness first(temp.path());
        first.loadAndShow();
        BrowserPanel& browser = first.form->browser;
        QCOMPARE(browser.DirPath(), QDir::cleanPath(temp.path()));
        QVERIFY(browser.PointAt(work));
        const QString drive = QStorageInfo(work).rootPath();
        QCOMPARE(browser.Drive(), drive);
        QVERIFY(browser.SetDirSel(1));
        QVERIFY(!browser.SetDirSel(2));  // two subdirectories only
        QVERIFY(browser.SetDirSel(-2));
        browser.SetDirVis(false);  // no files: the directory list stays
        QVERIFY(browser.DirVis());
        QFile file(work + QStringLiteral("/f.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        browser.SetDirVis(false);
        QVERIFY(!browser.DirVis());
        QVERIFY(!first.fake.window.isControlVisible(Control::DirList));
        QVERIFY(first.fake.window.isControlVisible(Control::FileList));
        first.form->ScheduleSave();
        first.form->SaveSettings();
        const QStringList lines = first.settingsLines();
        QCOMPARE(lines.mid(7, 4), (QStringList{QStringLiteral("Drive=") + drive,
                                              QStringLiteral("DirPath=") + work,
                                              QStringLiteral("DirSel=-2"),
                                              QStringLiteral("DirVis=False")}));
        first.form.reset();

        FormHarness second(temp.path());
        second.loadAndShow();
        QCOMPARE(second.form->browser.DirSel(), -2);
        QVERIFY(!second.form->browser.DirVis());
        second.form->ScheduleSave();
        second.form->SaveSettings();
        QCOMPARE(second.settingsLines().mid(7, 4), lines.mid(7, 4));
    }

    void aDriveThatIsNotThereSkipsWhatDependsOnIt() {
        FormHarness h;
        h.writeSettings({QStringLiteral("Drive=/no/such/volume"), QStringLiteral("DirPath=/"),
                         QStringLiteral("DirSel=0")});
        h.loadAndShow();
        QCOMPARE(h.form->browser.DirPath(), QDir::cleanPath(h.paths.programDir));
        QCOMPARE(h.form->browser.DirSel(), -1);
    }
};

QTEST_GUILESS_MAIN(LayoutBrowserTest)
#include "test_layout_browser.moc"
