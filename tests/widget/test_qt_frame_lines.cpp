// The window on a screen scaled by 150 %: a pixel of the widgets is a pixel
// and a half of the screen.
#include "WarningsFail.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QTest>

class TestFrameLines : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Every edge of the tree's and the lists' frames shows a line: its
    // outermost pixels on the screen are neither the window's grey nor white.
    void everyEdgeOfAFrameShows() {
        QtPlatform platform;
        platform.window().show();
        MainWindowWidget& window = *platform.window().widget();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 1.5);
        const QColor grey = window.palette().color(QPalette::Window);
        for (QWidget* pane : std::initializer_list<QWidget*>{window.treeView(), window.dirList()}) {
            const QRectF area(QPointF(pane->mapTo(&window, QPoint())) * 1.5,
                              QSizeF(pane->size()) * 1.5);
            const QRect onScreen(area.topLeft().toPoint(),
                                 area.bottomRight().toPoint() - QPoint(1, 1));
            const QPoint mid = onScreen.center();
            for (const QPoint& edge :
                 {QPoint(onScreen.left(), mid.y()), QPoint(mid.x(), onScreen.top()),
                  QPoint(onScreen.right(), mid.y()), QPoint(mid.x(), onScreen.bottom())}) {
                const QColor seen = shot.pixelColor(edge);
                QVERIFY2(seen != grey && seen != Qt::white, qPrintable(pane->objectName()));
            }
        }
    }
};

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    TestFrameLines test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_qt_frame_lines.moc"
