#include "RecordingEvents.h"
#include "platform/qt/NodeTreeView.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/TwipsScale.h"

#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void designedRectanglesAtStandardDpi();
    void closeBoxAndEventsReachTheLogic();
    void platformDetachesBeforeTheTreeGoes();
};

void TestMainWindow::designedRectanglesAtStandardDpi() {
    // 12 twips to the pixel at 120 dpi; a screen without a dpi counts as 96.
    QCOMPARE(TwipsScale(120).toPixels(TwipsRect{600, 120, 2280, 2775}), QRect(10, 50, 231, 190));
    QCOMPARE(TwipsScale(0).twipsPerPixel(), 15.0);
    QtMainWindow window;
    if (window.logicalDpiX() != 96)
        QSKIP("the screen is not at 96 dpi");
    QCOMPARE(window.objectName() + u' ' + window.windowTitle(), u"FrmVarnel Varnel"_s);
    const std::pair<const char*, QRect> designed[] = {{"DriveList", {8, 8, 185, 21}},
                                                      {"DirList", {8, 40, 185, 152}},
                                                      {"FileList", {8, 40, 185, 136}},
                                                      {"TreeView", {200, 8, 249, 185}},
                                                      {"PathDisp", {8, 200, 441, 20}}};
    for (const auto& [name, pixels] : designed)
        QCOMPARE(window.findChild<QWidget*>(QLatin1String(name))->geometry(), pixels);
    QCOMPARE(window.size(), QSize(457, 228 + window.statusBar()->sizeHint().height()));
    QCOMPARE(window.controlRect(Control::TreeView), (TwipsRect{120, 3000, 2775, 3735}));
    // Twips that fall between pixels come back rounded to the pixel.
    window.setControlRect(Control::DirList, {600, 120, 2880, 4163});
    QCOMPARE(window.dirList()->geometry(), QRect(8, 40, 278, 192));
    QCOMPARE(window.controlRect(Control::DirList), (TwipsRect{600, 120, 2880, 4170}));

    // Visibility is told and set while the window itself is hidden.
    const auto shown = [&](Control c) { return window.isControlVisible(c); };
    QVERIFY(shown(Control::DirList) && !shown(Control::FileList));
    window.setControlVisible(Control::FileList, true);
    window.setControlVisible(Control::DirList, false);
    QVERIFY(!shown(Control::DirList) && shown(Control::FileList));
    QCOMPARE(window.pathLabel()->textFormat(), Qt::PlainText);  // paths may hold '<' and '&'
}

void TestMainWindow::closeBoxAndEventsReachTheLogic() {
    RecordingEvents events;
    QtMainWindow window;
    window.attach(&events, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    events.calls.clear();
    window.resize(window.width() + 50, window.height() + 30);
    QCoreApplication::processEvents();
    QTest::mouseClick(window.pathLabel(), Qt::LeftButton);
    QTest::mouseDClick(window.pathLabel(), Qt::LeftButton);
    QVERIFY(events.calls.contains(u"Resize"_s));
    QCOMPARE(events.only(u"Path"_s), QStringList{u"PathDblClick"_s});

    QVERIFY(!window.close());  // the logic cancels
    QVERIFY(window.isVisible());
    QCOMPARE(events.only(u"Query"_s), QStringList{u"QueryUnload 0"_s});
    events.cancelUnload = false;
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());

    window.attach(nullptr, nullptr);  // nothing reaches a logic that is gone
    events.calls.clear();
    window.show();
    QTest::mouseDClick(window.pathLabel(), Qt::LeftButton);
    window.resize(window.width() + 10, window.height());
    QCoreApplication::processEvents();
    QVERIFY(window.close());
    QVERIFY(events.calls.isEmpty());

    // Once the program is ending, a close is not asked about again.
    window.attach(&events, nullptr);
    events.cancelUnload = true;
    window.show();
    window.quit();
    QVERIFY(window.close());
    QVERIFY(events.only(u"Query"_s).isEmpty());
}

void TestMainWindow::platformDetachesBeforeTheTreeGoes() {
    QtPlatform platform;
    RecordingEvents events;
    {
        NodeTree tree;
        platform.attach(events, tree);
        tree.Add(nullptr, tvwLast, QString(), u"A"_s, u"leaf"_s);
        QCOMPARE(platform.window().treeView()->model()->rowCount(), 1);
        platform.window().show();
        QVERIFY(!platform.window().close());
        platform.detach();
        QVERIFY(!platform.window().treeView()->model());
        tree.Add(nullptr, tvwLast, QString(), u"B"_s, u"leaf"_s);
    }
    QVERIFY(platform.window().close());
    QCOMPARE(events.only(u"QueryUnload"_s).size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "test_qt_main_window.moc"
