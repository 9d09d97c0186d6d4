// The real window over the real logic, its timers on the virtual clock:
// where the view's editor, selection and drags meet the handlers.
#include "RealWindow.h"
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"

#include <QAbstractButton>
#include <QDragMoveEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;

class TestRealTree : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A refused label is edited again at the next press, and that press
    // neither selects the node under it nor gives it the label. An open
    // edit that a click elsewhere ends goes to the edited node alone.
    void aLabelEditEndsOnTheNodeItBeganOn() {
        RealWindow t({u"Alpha"_s, u"Beta"_s});
        TreeNode *alpha = t.nodes[0], *beta = t.nodes[1];
        t.form.tray().Quick().Add(u"Beta"_s, QString());
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(alpha));
        QTest::keyClick(&t.view(), Qt::Key_F2);
        t.editorOf(alpha)->selectAll();
        QTest::keyClicks(t.editorOf(alpha), u"   "_s);
        QString title;
        t.whenShown<QMessageBox>([&title](QMessageBox* box) {
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::keyClick(t.editorOf(alpha), Qt::Key_Return);
        QTRY_VERIFY(title == u"Entry Error"_s && !t.editorOf(alpha));

        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(beta));
        QVERIFY(t.editorOf(alpha) && alpha->Selected() && beta->Text() == u"Beta"_s);
        t.editorOf(alpha)->setText(u"First"_s);
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(beta));
        QCOMPARE(alpha->Text() + beta->Text(), u"FirstBeta"_s);
        QVERIFY(beta->Selected() && !t.editorOf(alpha));
        QCOMPARE(t.form.tray().Quick().Entries().at(0).caption, u"Beta"_s);
    }

    // A node dragged into the bottom band scrolls the tree until it is let
    // go; the drop menu's command then acts on the node it was let go over,
    // though the scroll timer fell due before the drop was told and under
    // the menu.
    void aDropStopsTheScrollingAndActsWhereItWasMade() {
        QStringList labels;
        for (int i = 0; i < 60; ++i)
            labels << u"n%1"_s.arg(i, 2, 10, QLatin1Char('0'));
        RealWindow t(labels);
        QTest::mousePress(t.viewport(), Qt::LeftButton, {}, t.onLabel(t.nodes[0]));
        QTest::mouseMove(t.viewport(), t.onLabel(t.nodes[0]) + QPoint(0, 4));  // the drag starts
        const QPoint bottom(t.onLabel(t.nodes[0]).x(), t.viewport()->height() - 2);
        const std::unique_ptr<QMimeData> data(ControlDrag::dataFor(DragSource::TreeView));
        QDragEnterEvent enter(bottom, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QDropEvent drop(bottom, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(t.viewport(), &enter);
        t.clock.advance(100);
        const QString target = t.model().nodeAt(t.view().indexAt(bottom))->Text();
        const int scrolled = t.view().verticalScrollBar()->value();
        QCoreApplication::sendEvent(t.viewport(), &drop);
        t.clock.advance(100);
        QCOMPARE(t.view().verticalScrollBar()->value(), scrolled);
        QString underMenu;
        t.whenShown<QMenu>([&](QMenu* menu) {
            t.clock.advance(200);
            underMenu = t.form.tree().DropHighlight()->Text();
            menu->setActiveAction(menu->actions().at(2));  // "Move After The Item"
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTRY_COMPARE(underMenu, target);
        TreeNode* after = t.form.tree().First();
        while (after->Text() != target)
            after = after->Next();
        QCOMPARE(after->Next()->Text(), u"n00"_s);
    }
};

QTEST_MAIN(TestRealTree)
#include "test_qt_real_tree.moc"
