#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/ApplicationSetup.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class TestMainWindow : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Nothing of the window exists until it is shown; what the logic set
    // before (rectangle, state, the lists' visibility) is what it
    // shows then.
    void builtAtTheFirstShowingWithWhatWasSetBefore() {
        QCOMPARE(TwipsScale(0).twipsPerPixel(), 15.0);  // a screen that tells no resolution
        QtPlatform platform;
        QtMainWindow& window = platform.window();
        const Platform ports = platform.platform();
        window.setGeometry({1500, 3000, 4500, 9000});
        ports.dirList.setVisible(false);
        ports.fileList.setVisible(true);
        window.setWindowState(StateMaximized);
        QVERIFY(!window.widget() && QApplication::topLevelWidgets().isEmpty());

        window.setWindowState(StateNormal);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(window.widget()));
        MainWindowWidget& widget = *window.widget();
        if (widget.logicalDpiX() == 96)
            QCOMPARE(widget.geometry(), QRect(200, 100, 600, 300));
        QVERIFY(!widget.dirList()->isVisible() && widget.fileList()->isVisible());
    }

    // The About box stands where the logic put it, says what the program is
    // and closes with "Continue" or its close box, each time made anew.
    void theAboutBoxShowsItsLinesAndCloses() {
        QtPlatform platform;
        const TwipsScale twips(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
        QStringList seen;
        for (const bool byCloseBox : {false, true}) {
            QTimer::singleShot(0, [&seen, byCloseBox] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(box);
                seen << box->windowTitle() + u'@' + QString::number(box->x());
                for (const QLabel* line : box->findChildren<QLabel*>())
                    seen << line->text();
                auto* button = box->findChild<QPushButton*>();
                seen << button->text();
                byCloseBox ? void(box->close()) : button->click();
            });
            platform.platform().about.showModal({twips.toTwips(50), twips.toTwips(120), 0, 0});
        }
        for (const QString& line :
             {u"About Varnel@120"_s, u"The quickest way to access your folders"_s,
              u"using Drag and Drop technology"_s, u"v 3.1"_s, u"Continue"_s})
            QVERIFY2(seen.count(line) == 2, qPrintable(seen.join(u"|"_s)));
    }

    // The logic may cancel a close; a logic that is gone hears nothing, nor
    // does the view watch its tree; once the program is ending, a close is
    // not asked about again.
    void closeBoxAndEventsReachTheLogic() {
        RecordingEvents events;
        QtPlatform platform;
        NodeTree tree;
        platform.attach(events.events(), tree);
        QtMainWindow& window = platform.window();
        window.show();
        MainWindowWidget& widget = *window.widget();
        QVERIFY(QTest::qWaitForWindowExposed(&widget) && widget.treeView()->model());
        QVERIFY(!widget.close() && window.isVisible());
        events.cancelUnload = false;
        QVERIFY(widget.close() && !window.isVisible());
        QCOMPARE(events.only(u"Query"_s).size(), 2);

        platform.detach();
        events.calls.clear();
        tree.Add(nullptr, tvwLast, QString(), u"B"_s, u"leaf"_s);
        window.show();
        QTest::mouseDClick(widget.pathLabel(), Qt::LeftButton);
        QVERIFY(widget.close() && events.calls.isEmpty() && !widget.treeView()->model());

        platform.attach(events.events(), tree);
        events.cancelUnload = true;
        window.show();
        window.quit();
        QVERIFY(widget.close() && events.only(u"Query"_s).isEmpty());
    }

    // Compositors match the windows with varnel.desktop. No display name is
    // set: X11 would add it to every title, where a box's title must read as
    // given.
    void theApplicationIsNamedForTheDesktop() {
        SetUpApplication();
        QCOMPARE(QGuiApplication::desktopFileName(), u"varnel"_s);
        QCOMPARE(QGuiApplication::applicationDisplayName(), u"varnel"_s);
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_qt_main_window.moc"
