// Undo and redo from the real window: the keys reach the tree's history
// only while no label editor is open, whose own undo they are then, and the
// tree's menu opens with its Undo entry.
#include "RealPlatformOnClock.h"
#include "VirtualClock.h"
#include "WarningsFail.h"
#include "app/FrmVarnel.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtTreeView.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// The window shown and active, its tree holding Alpha and Beta.
struct Window {
    Window() {
        qt.attach(form.Events(), form.tree());
        if (!form.Form_Load().runs)
            qFatal("start-up refused");
        form.tray().trayNotify(0, TrayLeftUp);
        for (const QString& label : {u"Alpha"_s, u"Beta"_s})
            form.tree().Add(nullptr, tvwLast, QString(), label, u"leaf"_s);
        QWidget* window = qt.window().widget();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("the window is not active");
        view().setFocus();
    }
    ~Window() { qt.detach(); }

    NodeTreeView& view() { return *qt.window().widget()->treeView(); }
    NodeTreeModel& model() { return *qt.treeView().model(); }
    QString labels() {
        QStringList all;
        for (TreeNode* n = form.tree().First(); n; n = n->Next())
            all << n->Text();
        return all.join(u' ');
    }
    void keys(QWidget* to, Qt::KeyboardModifiers modifiers, Qt::Key key) {
        QTest::keyClick(to, key, modifiers);
    }
    // The first entry of the tree's menu, opened on empty space.
    QAction* firstMenuEntry() {
        QAction* first = nullptr;
        QTimer::singleShot(50, &view(), [&first] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                first = menu->actions().value(0);
                first = first ? new QAction(first->text(), nullptr) : nullptr;
                if (first)
                    first->setEnabled(menu->actions().value(0)->isEnabled());
                menu->close();
            }
        });
        const QPoint empty(view().viewport()->width() - 2, view().viewport()->height() - 2);
        QTest::mouseClick(view().viewport(), Qt::RightButton, {},
                          empty);  // the menu opens on the press
        return first;
    }

    QTemporaryDir dir;
    VirtualClock clock;
    QtPlatform qt;
    FrmVarnel form{onClock(qt.platform(), clock), pathsIn(dir)};
};
}  // namespace

class TestQtUndoKeys : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Ctrl+Z takes a delete back, Ctrl+Y and Ctrl+Shift+Z make it again;
    // with a label editor open all three are the editor's.
    void theKeysUndoTheTreeUnlessALabelIsBeingEdited() {
        Window w;
        w.form.tree().Add(nullptr, tvwLast, QString(), u"Gamma"_s, u"leaf"_s);
        for (const int row : {2, 1}) {
            w.form.tree().SetSelectedItem(w.form.tree().TopLevelAt(row));
            w.form.tree().SetDropHighlight(w.form.tree().TopLevelAt(row));
            QTest::keyClick(&w.view(), Qt::Key_Delete);
        }
        w.keys(&w.view(), Qt::ControlModifier, Qt::Key_Z);
        QCOMPARE(w.labels(), u"Alpha Beta"_s);  // one to undo, one to redo

        TreeNode* alpha = w.form.tree().First();
        w.form.tree().SetSelectedItem(alpha);
        QTest::keyClick(&w.view(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(w.view().indexWidget(w.model().indexOf(alpha)));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, u"Delta"_s);
        w.keys(editor, Qt::ControlModifier, Qt::Key_Z);
        QCOMPARE(editor->text(), u"Alpha"_s);  // the editor's own undo
        w.keys(editor, Qt::ControlModifier, Qt::Key_Y);
        w.keys(editor, Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
        QCOMPARE(w.labels(), u"Alpha Beta"_s);  // and not the tree's
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!w.view().isEditingLabel());

        w.keys(&w.view(), Qt::ControlModifier, Qt::Key_Y);
        QCOMPARE(w.labels(), u"Alpha"_s);
        w.keys(&w.view(), Qt::ControlModifier, Qt::Key_Z);
        w.keys(&w.view(), Qt::ControlModifier, Qt::Key_Z);
        QCOMPARE(w.labels(), u"Alpha Beta Gamma"_s);
        QVERIFY(w.form.tree().TopLevelAt(2)->Selected());  // as before its delete
        w.keys(&w.view(), Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
        QCOMPARE(w.labels(), u"Alpha Beta"_s);
    }

    // The menu opens with "Undo", greyed while there is nothing to take
    // back, then naming what it takes back.
    void theMenuNamesWhatUndoTakesBack() {
        Window w;
        std::unique_ptr<QAction> first(w.firstMenuEntry());
        QVERIFY(first);
        QCOMPARE(first->text(), u"Undo"_s);
        QVERIFY(!first->isEnabled());
        w.form.tree().SetDropHighlight(w.form.tree().First());
        QTest::keyClick(&w.view(), Qt::Key_Delete);
        first.reset(w.firstMenuEntry());
        QVERIFY(first);
        QCOMPARE(first->text(), u"Undo Delete"_s);
        QVERIFY(first->isEnabled());
    }
};

QTEST_MAIN(TestQtUndoKeys)
#include "test_qt_undo_keys.moc"
