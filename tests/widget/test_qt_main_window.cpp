#include "RecordingEvents.h"
#include "platform/qt/NodeTreeView.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/TwipsScale.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTest>

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void designedRectanglesAtStandardDpi();
    void twipsFollowTheDpi();
    void geometryAndStateInTwips();
    void closeBoxAsksTheLogicWhichMayCancel();
    void resizeAndDoubleClicksReachTheLogic();
    void pointerLabelAndStatusLine();
    void platformAttachesAndDetachesTheLogic();
};

void TestMainWindow::designedRectanglesAtStandardDpi() {
    QtMainWindow window;
    if (window.logicalDpiX() != 96)
        QSKIP("the screen is not at 96 dpi");
    QCOMPARE(window.objectName(), QStringLiteral("FrmVarnel"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel"));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.driveList()->geometry(), QRect(8, 8, 185, 21));
    QCOMPARE(window.dirList()->geometry(), QRect(8, 40, 185, 152));
    QCOMPARE(window.fileList()->geometry(), QRect(8, 40, 185, 136));
    QCOMPARE(window.findChild<QWidget*>(QStringLiteral("TreeView"))->geometry(),
             QRect(200, 8, 249, 185));
    QCOMPARE(window.pathLabel()->geometry(), QRect(8, 200, 441, 20));
    QCOMPARE(window.size(), QSize(457, 228 + window.statusBar()->sizeHint().height()));

    QCOMPARE(window.controlRect(Control::TreeView), (TwipsRect{120, 3000, 2775, 3735}));
    QCOMPARE(window.controlRect(Control::PathDisp), (TwipsRect{3000, 120, 300, 6615}));
    QVERIFY(!window.controlRect(Control::BarStatus).has_value());
    QCOMPARE(window.innerWidth(), 6855);

    // Visibility is told and set while the window itself is hidden.
    QVERIFY(!window.isVisible());
    QVERIFY(window.isControlVisible(Control::DirList));
    QVERIFY(!window.isControlVisible(Control::FileList));
    window.setControlVisible(Control::FileList, true);
    window.setControlVisible(Control::DirList, false);
    QVERIFY(window.isControlVisible(Control::FileList));
    QVERIFY(!window.isControlVisible(Control::DirList));

    window.setControlRect(Control::DirList, {600, 120, 2880, 4163});
    QCOMPARE(window.dirList()->geometry(), QRect(8, 40, 278, 192));
    QCOMPARE(window.controlRect(Control::DirList), (TwipsRect{600, 120, 2880, 4170}));
}

void TestMainWindow::twipsFollowTheDpi() {
    const TwipsScale large(120);  // 12 twips to the pixel
    QCOMPARE(large.toPixels(120), 10);
    QCOMPARE(large.toTwips(10), 120);
    QCOMPARE(large.toPixels(TwipsRect{600, 120, 2280, 2775}), QRect(10, 50, 231, 190));
    QCOMPARE(TwipsScale(0).twipsPerPixel(), 15.0);  // a screen without a dpi
}

void TestMainWindow::geometryAndStateInTwips() {
    QtMainWindow window;
    const double tpp = TwipsScale::of(&window).twipsPerPixel();
    const auto twips = [tpp](int pixels) { return static_cast<int>(pixels * tpp); };
    const TwipsRect wanted{twips(40), twips(60), twips(300), twips(500)};
    window.setGeometry(wanted);
    QCOMPARE(window.geometry(), wanted);

    QCOMPARE(window.windowState(), int(StateNormal));
    window.setWindowState(StateMaximized);
    QCOMPARE(window.windowState(), int(StateMaximized));
    window.setWindowState(StateMinimized);
    QCOMPARE(window.windowState(), int(StateMinimized));
    window.setWindowState(StateNormal);
    QCOMPARE(window.windowState(), int(StateNormal));

    const TwipsSize screen = window.screenSize();
    QVERIFY(screen.width > 0 && screen.height > 0);
}

void TestMainWindow::closeBoxAsksTheLogicWhichMayCancel() {
    RecordingEvents events;
    QtMainWindow window;
    window.attach(&events, nullptr);
    window.show();

    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(events.only(QStringLiteral("QueryUnload")), QStringList{QStringLiteral("QueryUnload 0")});

    events.cancelUnload = false;
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());

    // Once the program is ending, a close is not asked about again.
    events.calls.clear();
    events.cancelUnload = true;
    window.show();
    window.quit();
    QVERIFY(window.close());
    QVERIFY(events.only(QStringLiteral("QueryUnload")).isEmpty());
}

void TestMainWindow::resizeAndDoubleClicksReachTheLogic() {
    RecordingEvents events;
    QtMainWindow window;
    window.attach(&events, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    events.calls.clear();

    window.resize(window.width() + 50, window.height() + 30);
    QCoreApplication::processEvents();
    QVERIFY(events.calls.contains(QStringLiteral("Resize")));

    QTest::mouseClick(window.pathLabel(), Qt::LeftButton);
    QTest::mouseDClick(window.pathLabel(), Qt::LeftButton);
    QCOMPARE(events.only(QStringLiteral("Path")), QStringList{QStringLiteral("PathDblClick")});

    window.attach(nullptr, nullptr);  // detached: nothing reaches a logic that is gone
    events.calls.clear();
    QTest::mouseDClick(window.pathLabel(), Qt::LeftButton);
    window.resize(window.width() + 10, window.height());
    QCoreApplication::processEvents();
    QVERIFY(window.close());
    QVERIFY(events.calls.isEmpty());
}

void TestMainWindow::pointerLabelAndStatusLine() {
    QtMainWindow window;
    window.setMousePointer(PointerBusy);
    QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
    window.setMousePointer(PointerDefault);
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

    // Paths are shown as written, never read as markup.
    const QString path = QStringLiteral(" /home/ann/<b>notes</b> & co");
    window.setPathDisp(path);
    QCOMPARE(window.pathDisp(), path);
    QCOMPARE(window.pathLabel()->textFormat(), Qt::PlainText);
    window.setStatusText(QStringLiteral("Double click to open"));
    QCOMPARE(window.statusText(), QStringLiteral("Double click to open"));
}

void TestMainWindow::platformAttachesAndDetachesTheLogic() {
    QtPlatform platform;
    RecordingEvents events;
    {
        NodeTree tree;
        platform.attach(events, tree);
        Platform services = platform.platform();
        QCOMPARE(&services.window, static_cast<MainWindowPort*>(&platform.window()));
        QCOMPARE(&services.treeView, static_cast<TreeViewPort*>(&platform.window()));
        tree.Add(nullptr, tvwLast, QString(), QStringLiteral("A"), QStringLiteral("leaf"));
        QCOMPARE(platform.window().treeView()->model()->rowCount(), 1);
        platform.window().show();
        QVERIFY(!platform.window().close());
        platform.detach();  // before the tree goes
        QVERIFY(!platform.window().treeView()->model());
        tree.Add(nullptr, tvwLast, QString(), QStringLiteral("B"), QStringLiteral("leaf"));
    }
    QVERIFY(platform.window().close());
    QCOMPARE(events.only(QStringLiteral("QueryUnload")).size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "test_qt_main_window.moc"
