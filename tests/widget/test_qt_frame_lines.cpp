// The window on a screen scaled by one and a half, where a pixel of the
// widgets is a pixel and a half of the screen.
#include "WarningsFail.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QTest>
#include <cmath>

class TestFrameLines : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each edge of the tree's and the lists' frames shows a line: its
    // outermost screen pixels are neither the window's background nor the
    // white inside.
    void everyEdgeOfAFrameShows() {
        QtPlatform platform;
        platform.window().show();
        MainWindowWidget& window = *platform.window().widget();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = window.grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        QCOMPARE(ratio, 1.5);
        const QColor background = window.palette().color(QPalette::Window);
        for (QWidget* pane : std::initializer_list<QWidget*>{window.treeView(), window.dirList()}) {
            const QRect r = pane->geometry();
            const QRectF onScreen(QPointF(pane->mapTo(&window, QPoint())) * ratio,
                                  QSizeF(r.size()) * ratio);
            const int left = int(std::round(onScreen.left())),
                      top = int(std::round(onScreen.top()));
            const int right = int(std::round(onScreen.right())) - 1;
            const int bottom = int(std::round(onScreen.bottom())) - 1;
            const QPoint middle((left + right) / 2, (top + bottom) / 2);
            QStringList lost;
            for (const auto& [edge, at] : {std::pair{"left", QPoint(left, middle.y())},
                                           {"top", QPoint(middle.x(), top)},
                                           {"right", QPoint(right, middle.y())},
                                           {"bottom", QPoint(middle.x(), bottom)}}) {
                const QColor seen = shot.pixelColor(at);
                if (seen == background || seen == Qt::white)
                    lost << QLatin1String(edge);
            }
            QVERIFY2(lost.isEmpty(), qPrintable(pane->objectName() + QLatin1String(": ") +
                                                lost.join(QLatin1Char(' '))));
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
