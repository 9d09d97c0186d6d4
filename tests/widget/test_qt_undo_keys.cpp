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
        if (!form.Form_Load())
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
    // The first entry of the tree's menu, opened on empty space: its caption
    // and whether it can be chosen.
    std::pair<QString, bool> firstMenuEntry() {
        std::pair<QString, bool> first;
        QTimer::singleShot(50, &view(), [&first] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                if (const QAction* entry = menu->actions().value(0))
                    first = {entry->text(), entry->isEnabled()};
                menu->close();
            }
        });
        const QPoint empty(view().viewport()->width() - 2, view().viewport()->height() - 2);
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, empty);  // opens on the press
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
        QTest::keyClick(&w.view(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.labels(), u"Alpha Beta"_s);  // one to undo, one to redo

        TreeNode* alpha = w.form.tree().First();
        w.form.tree().SetSelectedItem(alpha);
        QTest::keyClick(&w.view(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(w.view().indexWidget(w.model().indexOf(alpha)));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, u"Delta"_s);
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->text(), u"Alpha"_s);  // the editor's own undo
        QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.labels(), u"Alpha Beta"_s);  // and not the tree's
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!w.view().isEditingLabel());

        QTest::keyClick(&w.view(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.labels(), u"Alpha"_s);
        QTest::keyClick(&w.view(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&w.view(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.labels(), u"Alpha Beta Gamma"_s);
        QVERIFY(w.form.tree().TopLevelAt(2)->Selected());  // as before its delete
        QTest::keyClick(&w.view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.labels(), u"Alpha Beta"_s);
    }

    // The menu opens with "Undo", greyed while there is nothing to take
    // back, then naming what it takes back.
    void theMenuNamesWhatUndoTakesBack() {
        Window w;
        QCOMPARE(w.firstMenuEntry(), std::pair(u"Undo"_s, false));
        w.form.tree().SetDropHighlight(w.form.tree().First());
        QTest::keyClick(&w.view(), Qt::Key_Delete);
        QCOMPARE(w.firstMenuEntry(), std::pair(u"Undo Delete"_s, true));
    }
};

QTEST_MAIN(TestQtUndoKeys)
#include "test_qt_undo_keys.moc"
