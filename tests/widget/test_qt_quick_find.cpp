// The quick-find pop-up's real window on the offscreen platform: what its
// keys report, and where it is placed.
#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/popup/PopupPlace.h"
#include "platform/qt/popup/QtQuickFind.h"
#include "platform/qt/popup/QuickFindWindow.h"

#include <QLineEdit>
#include <QListView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestQtQuickFind : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Typing is reported, the arrows and page keys move the current row
    // while the field keeps the focus, the line of help is never current,
    // Enter and Ctrl+Enter report the current row, Escape asks to close,
    // and the logic's close hides the window without a word back.
    void keysInTheFieldAreReported() {
        QtImageList images;
        QtQuickFind popup(images);
        RecordingEvents events;
        popup.setEvents(&events);
        popup.setRows({{u"Help"_s, {}, {}, false},
                       {u"Alpha"_s, u"/a"_s, u"leaf"_s},
                       {u"Beta"_s, u"/b"_s, u"closed"_s}});
        popup.show(u"al"_s, QString());
        QuickFindWindow* window = popup.window();
        QVERIFY(window && window->isVisible());
        QLineEdit* field = window->searchField();
        QCOMPARE(field->text(), u"al"_s);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QVERIFY(field->hasFocus());
        QCOMPARE(window->currentRow(), 1);
        QVERIFY(events.calls.isEmpty());  // the text given is not typed

        QTest::keyClicks(field, u"p"_s);
        QCOMPARE(events.calls, QStringList{u"FindChange alp"_s});
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(window->currentRow(), 2);
        QTest::keyClick(field, Qt::Key_Up);
        QTest::keyClick(field, Qt::Key_Up);
        QCOMPARE(window->currentRow(), 1);
        QTest::keyClick(field, Qt::Key_PageDown);
        QCOMPARE(window->currentRow(), 2);
        QVERIFY(field->hasFocus());
        events.calls.clear();
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Enter, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(events.calls,
                 (QStringList{u"FindChoose 2"_s, u"FindShowInWindow 2"_s, u"FindDismiss"_s}));
        QVERIFY(window->isVisible());  // closing is the logic's to decide
        popup.close();
        QVERIFY(!window->isVisible());
        QCOMPARE(events.calls.size(), 3);

        popup.setRows({{u"Gamma"_s, u"/g"_s, u"leaf"_s}});
        popup.show(QString(), QString());
        QCOMPARE(window->currentRow(), 0);
        QCOMPARE(field->text(), QString());
        QCOMPARE(
            window->list()->model()->data(window->list()->model()->index(0, 0), Qt::ToolTipRole),
            QVariant(u"/g"_s));
    }

    // Closed by the desktop (the close request of a lost focus): the logic
    // hears of it as of Escape.
    void closedByTheDesktopIsReported() {
        QtImageList images;
        QtQuickFind popup(images);
        RecordingEvents events;
        popup.setEvents(&events);
        events.onFindDismiss = [&popup] { popup.close(); };
        popup.setRows({{u"Alpha"_s, u"/a"_s, u"leaf"_s}});
        popup.show(QString(), QString());
        popup.window()->close();
        QCOMPARE(events.calls, QStringList{u"FindDismiss"_s});
        QVERIFY(!popup.window()->isVisible());
    }

    // At the pointer, pushed back inside the screen's free area where it
    // would cross an edge; centred where the pointer cannot be known.
    void placedAtThePointerInsideTheScreen() {
        const QRect area(100, 0, 1000, 800);  // a second screen, a panel on top
        const QSize size(400, 300);
        QCOMPARE(PlaceAtPointer({300, 200}, size, area), QPoint(300, 200));
        QCOMPARE(PlaceAtPointer({900, 700}, size, area), QPoint(700, 500));
        QCOMPARE(PlaceAtPointer({50, -20}, size, area), QPoint(100, 0));
        QCOMPARE(PlaceAtPointer({500, 500}, QSize(1200, 900), area), QPoint(100, 0));
        QCOMPARE(PlaceCentred(size, area), QPoint(400, 250));
    }
};

QTEST_MAIN(TestQtQuickFind)
#include "test_qt_quick_find.moc"
