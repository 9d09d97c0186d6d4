// The real window over the real logic, its timers on the virtual clock:
// where the view's editor, selection and drags meet the handlers.
#include "RealPlatformOnClock.h"
#include "VirtualClock.h"
#include "WarningsFail.h"
#include "app/FrmVarnel.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDragMoveEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// The window shown by a click on the tray icon, its tree holding items
// labelled as given.
struct RealTree {
    explicit RealTree(const QStringList& labels) {
        qt.attach(form.Events(), form.tree());
        if (!form.Form_Load().runs)
            qFatal("start-up refused");
        form.tray().trayNotify(0, TrayLeftUp);
        for (const QString& label : labels)
            nodes << form.tree().Add(nullptr, tvwLast, QString(), label, u"leaf"_s);
        if (!QTest::qWaitForWindowExposed(qt.window().widget()))
            qFatal("the window is not shown");
    }
    ~RealTree() { qt.detach(); }

    NodeTreeView& view() { return *qt.window().widget()->treeView(); }
    QWidget* viewport() { return view().viewport(); }
    NodeTreeModel& model() { return *qt.treeView().model(); }
    QPoint onLabel(const TreeNode* node) {
        return view().labelRect(model().indexOf(node)).center();
    }
    QLineEdit* editorOf(const TreeNode* node) {
        return qobject_cast<QLineEdit*>(view().indexWidget(model().indexOf(node)));
    }
    // Acts on the next message box or menu from the loop that shows it.
    template <typename Shown>
    void whenShown(std::function<void(Shown*)> act) {
        auto* poll = new QTimer(&view());
        QObject::connect(poll, &QTimer::timeout, poll, [act, poll] {
            QWidget* active = QApplication::activePopupWidget();
            if (auto* shown =
                    qobject_cast<Shown*>(active ? active : QApplication::activeModalWidget())) {
                poll->deleteLater();
                act(shown);
            }
        });
        poll->start(10);
    }

    QTemporaryDir dir;
    VirtualClock clock;
    QtPlatform qt;
    FrmVarnel form{onClock(qt.platform(), clock), pathsIn(dir)};
    QList<TreeNode*> nodes;
};
}  // namespace

class TestRealTree : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A refused label is edited again at the next press, and that press
    // neither selects the node under it nor gives it the label. An open
    // edit that a click elsewhere ends goes to the edited node alone.
    void aLabelEditEndsOnTheNodeItBeganOn() {
        RealTree t({u"Alpha"_s, u"Beta"_s});
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
        RealTree t(labels);
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
