// The browser's lists on the keyboard, on the Qt side: the keys that ask
// for a list's menu, and the focus when the lists change places.
#include "RealWindow.h"
#include "WarningsFail.h"
#include "platform/qt/browser/BrowserListView.h"

#include <QFile>
#include <QMenu>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestQtBrowserKeys : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
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
