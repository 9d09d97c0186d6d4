// The browser's lists on the keyboard, on the Qt side: the keys that ask
// for a menu, where that menu opens, and the focus when the lists change
// places.
#include "RealWindow.h"
#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/browser/QtBrowserLists.h"

#include <QFile>
#include <QMenu>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Both lists in one place of a shown window, the directory list showing,
// with the focus, on the chain /, /home and the subdirectories a, b, c.
struct Lists {
    Lists() {
        dirs.setEvents(&events);
        files.setEvents(&events);
        dirs.setEntries({u"/"_s, u"/home"_s}, {u"a"_s, u"b"_s, u"c"_s});
        files.setFiles({u"f.txt"_s});
        dirs.bind(dirView);
        files.bind(fileView);
        window.resize(240, 300);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window is not active");
        dirView->setFocus();
        events.calls.clear();
    }
    ~Lists() {
        dirs.bind(nullptr);
        files.bind(nullptr);
    }

    QtImageList images;
    RecordingEvents events;
    QtDirList dirs{images};
    QtFileList files;
    QWidget window;
    BrowserListView* dirView = new BrowserListView(&window);
    BrowserListView* fileView = new BrowserListView(&window);
};
}  // namespace

class TestQtBrowserKeys : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The menu key and Shift+F10 are reported, F10 alone or with Ctrl is
    // not; the menu opens under the current entry.
    void theMenuKeysAreReportedAndTheMenuOpensAtTheEntry() {
        Lists l;
        QTest::keyClick(l.dirView, Qt::Key_Menu);
        QTest::keyClick(l.dirView, Qt::Key_F10, Qt::ShiftModifier);
        QTest::keyClick(l.dirView, Qt::Key_F10);
        QTest::keyClick(l.dirView, Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(l.events.only(u"Dir KeyDown"_s),
                 (QStringList{u"Dir KeyDown 93 0"_s, u"Dir KeyDown 121 1"_s}));

        l.dirs.setListIndex(1);
        const QRect row = l.dirView->visualRect(l.dirView->currentIndex());
        QCOMPARE(l.dirs.globalPosOfCurrent(),
                 std::optional(l.dirView->viewport()->mapToGlobal(row.bottomLeft())));
        QCOMPARE(l.files.globalPosOfCurrent(), std::nullopt);  // hidden
    }

    // The real window, from the keys alone: Shift+F10 and "View Files" in the
    // directory list, the menu key and "View Directories" in the file list;
    // the keyboard's focus stays with the list shown.
    void theWindowsListsChangePlacesFromTheKeyboard() {
        RealWindow w({u"Shortcut"_s});
        const QString data = w.dir.filePath(u"data"_s);
        if (!QDir().mkdir(data) || !QFile(data + u"/notes.txt"_s).open(QIODevice::WriteOnly))
            qFatal("cannot make a file");
        w.form.browser().PointAt(data);
        QTRY_VERIFY_WITH_TIMEOUT(w.form.browser().FileCount() == 1, 10000);
        BrowserListView* dirs = w.qt.window().widget()->dirList();
        BrowserListView* files = w.qt.window().widget()->fileList();
        auto choose = [&w](const QString& caption) {
            w.whenShown<QMenu>([caption](QMenu* menu) {
                for (QAction* action : menu->actions()) {
                    if (action->text() == caption)
                        menu->setActiveAction(action);
                }
                QTest::keyClick(menu, Qt::Key_Return);
            });
        };
        dirs->setFocus();
        choose(u"View Files"_s);
        QTest::keyClick(dirs, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(files->isVisible() && !dirs->isVisible());
        QVERIFY(files->hasFocus());
        choose(u"View Directories"_s);
        QTest::keyClick(files, Qt::Key_Menu);
        QVERIFY(dirs->isVisible() && !files->isVisible());
        QVERIFY(dirs->hasFocus());
    }
};

QTEST_MAIN(TestQtBrowserKeys)
#include "test_qt_browser_keys.moc"
