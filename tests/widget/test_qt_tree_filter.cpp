// The filter over the real tree: the keys that open its line, the rows it
// hides and opens, and the view given back as it was.
#include "RealWindow.h"
#include "TestFiles.h"
#include "WarningsFail.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// The window shown and active, its tree holding
//   Work (Docs (Report), Reports Old (Inside)), Games (Chess), Item 0 ... Item 59
// with only Games open, Item 30 selected and the view scrolled part way.
struct Window : RealWindow {
    Window() : RealWindow({}) {
        NodeTree& tree = form.tree();
        TreeNode* work = folder(nullptr, u"Work"_s);
        TreeNode* docs = folder(work, u"Docs"_s);
        tree.Add(docs, tvwChild, QString(), u"Report"_s, u"leaf"_s);
        TreeNode* old = folder(work, u"Reports Old"_s);
        tree.Add(old, tvwChild, QString(), u"Inside"_s, u"leaf"_s);
        TreeNode* games = folder(nullptr, u"Games"_s);
        tree.Add(games, tvwChild, QString(), u"Chess"_s, u"leaf"_s);
        games->SetExpanded(true);
        for (int i = 0; i < 60; ++i)
            tree.Add(nullptr, tvwLast, QString(), u"Item %1"_s.arg(i), u"leaf"_s);
        tree.SetSelectedItem(tree.TopLevelAt(2 + 30));
        view().doItemsLayout();
        view().verticalScrollBar()->setValue(20);
        clock.advance(61000);  // what the start scheduled is saved
    }

    TreeNode* folder(TreeNode* parent, const QString& label) {
        return form.tree().Add(parent, parent ? tvwChild : tvwLast, QString(), label, u"closed"_s);
    }
    TreeNode* node(const QString& label) { return nodeLabelled(form.tree(), label); }
    QLineEdit& line() { return *qt.window().widget()->filterLine(); }
    QModelIndex index(const QString& label) { return qt.treeView().model()->indexOf(node(label)); }
    // The first rows shown, in order, and which of them the view has open.
    QString shown() {
        QStringList rows;
        addShown(QModelIndex(), rows);
        return rows.mid(0, 8).join(u", "_s);
    }
    void addShown(const QModelIndex& parent, QStringList& rows) {
        for (int row = 0; row < view().model()->rowCount(parent); ++row) {
            const QModelIndex i = view().model()->index(row, 0, parent);
            if (view().isRowHidden(row, parent))
                continue;
            rows << i.data().toString() + (view().isExpanded(i) ? u"+"_s : u""_s);
            if (view().isExpanded(i))
                addShown(i, rows);
        }
    }
    // Each folder's Expanded in the tree.
    QString flags() {
        QStringList all;
        for (const QString& label : {u"Work"_s, u"Docs"_s, u"Reports Old"_s, u"Games"_s})
            all << label + (node(label)->Expanded() ? u'+' : u'-');
        return all.join(u' ');
    }
};
}  // namespace

class TestQtTreeFilter : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Ctrl+F opens the line; typing keeps the rows found with the folders
    // above them, open; a folder opened meanwhile is the view's alone;
    // Escape gives back the rows, the open folders, the current row and
    // the scrolling as they were.
    void typingFiltersAndEscapeGivesTheViewBack() {
        Window w;
        const QString before = w.shown();
        const QModelIndex current = w.view().currentIndex();
        QCOMPARE(current, w.index(u"Item 30"_s));
        QVERIFY(!w.line().isVisible());
        const QRect treeRect = w.view().geometry();

        QTest::keyClick(&w.view(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w.line().isVisible() && w.line().hasFocus());
        QTest::keyClicks(&w.line(), u"REPORT"_s);
        QCOMPARE(w.shown(), u"Work+, Docs+, Report, Reports Old"_s);
        QVERIFY(w.view().isRowHidden(1, QModelIndex()));  // Games

        // The expand mark of Reports Old, found itself, with nothing found inside.
        const QRect old = w.view().visualRect(w.index(u"Reports Old"_s));
        QTest::mouseClick(w.view().viewport(), Qt::LeftButton, {},
                          QPoint(old.left() - w.view().indentation() / 2, old.center().y()));
        QCOMPARE(w.shown(), u"Work+, Docs+, Report, Reports Old+, Inside"_s);
        QCOMPARE(w.flags(), u"Work- Docs- Reports Old- Games+"_s);
        QVERIFY(!w.form.settings().SettingsDirty());

        QTest::keyClick(&w.line(), Qt::Key_Escape);
        QVERIFY(!w.line().isVisible());
        QCOMPARE(w.shown(), before);
        QCOMPARE(w.view().currentIndex(), current);
        QCOMPARE(w.view().verticalScrollBar()->value(), 20);
        QTRY_COMPARE(w.view().geometry(), treeRect);  // the line takes no room once gone
        QVERIFY(w.view().hasFocus());
    }

    // "/" opens the line from the tree, but is typed into a label being
    // edited; Escape in the tree ends the filter too.
    void theSlashIsTextWhereTextIsTyped() {
        Window w;
        w.form.tree().SetSelectedItem(w.node(u"Item 1"_s));
        QTest::keyClick(&w.view(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(w.view().indexWidget(w.index(u"Item 1"_s)));
        QVERIFY(editor);
        QTest::keyClicks(editor, u"a/b"_s);
        QCOMPARE(editor->text(), u"a/b"_s);
        QVERIFY(!w.line().isVisible());
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!w.view().isEditingLabel());

        QTest::keyClick(&w.view(), Qt::Key_Slash);
        QVERIFY(w.line().isVisible());
        QTest::keyClicks(&w.line(), u"ches/"_s);  // typed, not taken as the key again
        QCOMPARE(w.line().text(), u"ches/"_s);
        QCOMPARE(w.shown(), QString());
        w.line().setText(u"chess"_s);
        QCOMPARE(w.shown(), u"Games+, Chess"_s);
        w.view().setFocus();
        QTest::keyClick(&w.view(), Qt::Key_Escape);
        QVERIFY(!w.line().isVisible());
        QVERIFY(!w.form.filter().Filtering());

        // Where "/" is a shifted key.
        QTest::keyClick(&w.view(), Qt::Key_Slash, Qt::ShiftModifier);
        QVERIFY(w.line().isVisible());
    }
};

QTEST_MAIN(TestQtTreeFilter)
#include "test_qt_tree_filter.moc"
