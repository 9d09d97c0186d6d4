// Undo and redo from the real window: the keys reach the tree's history
// only while no label editor is open, whose own undo they are then, and the
// tree's menu opens with its Undo entry.
#include "RealWindow.h"
#include "WarningsFail.h"

#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace {
// The window with Alpha and Beta in its tree.
struct Window : RealWindow {
    Window() : RealWindow({u"Alpha"_s, u"Beta"_s}) {}
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
        auto* editor = w.editorOf(alpha);
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
