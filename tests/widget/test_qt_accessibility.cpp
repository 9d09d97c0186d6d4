// The real window as a screen reader sees it: what each control is called,
// the tree as a tree, and what it is told when the user opens a folder,
// renames a node or opens a directory.
#include "RealWindow.h"
#include "WarningsFail.h"
#include "platform/qt/browser/BrowserListView.h"
#include "platform/qt/browser/QtBrowserLists.h"
#include "platform/qt/browser/QtDriveList.h"
#include "platform/qt/popup/QtQuickFind.h"
#include "platform/qt/popup/QuickFindWindow.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QAccessible>
#include <QLabel>
#include <QStatusBar>

using namespace Qt::Literals::StringLiterals;

namespace {
// What a screen reader would have heard: each event with the interface it
// names, read as it is sent.
struct Heard {
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
    QObject* object;
    QAccessible::State changed;
};
QList<Heard> heard;

void listen(QAccessibleEvent* event) {
    const QAccessible::Event type = event->type();
    if (type != QAccessible::Focus && type != QAccessible::StateChanged &&
        type != QAccessible::NameChanged && type != QAccessible::ObjectCreated)
        return;
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface)
        return;
    QAccessible::State changed;
    if (type == QAccessible::StateChanged)
        changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    heard.append({type, iface->role(), iface->text(QAccessible::Name), event->object(), changed});
}

QList<Heard> heardOf(QAccessible::Event type) {
    QList<Heard> found;
    for (const Heard& h : std::as_const(heard)) {
        if (h.type == type)
            found << h;
    }
    return found;
}

QAccessibleInterface* of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Every interface under the window, as "role name" lines.
void walk(QAccessibleInterface* iface, QStringList& seen) {
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child)
            continue;
        seen << u"%1 %2"_s.arg(child->role()).arg(child->text(QAccessible::Name));
        walk(child, seen);
    }
}
}  // namespace

class TestAccessibility : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // As with a screen reader running: the window tells what happens.
    void initTestCase() {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(listen);
    }
    void cleanupTestCase() { QAccessible::installUpdateHandler(nullptr); }

    // Each control says what it is for; the tree's children are its top
    // level nodes, each over its own, with no header among them, and each
    // node is the same interface however it is reached.
    void everyControlIsNamedAndTheTreeIsATree() {
        RealWindow t({u"Alpha"_s, u"Beta"_s});
        TreeNode* inner = t.form.tree().Add(t.nodes[0], tvwChild, QString(), u"Inner"_s, u"leaf"_s);
        MainWindowWidget& w = *t.qt.window().widget();
        t.qt.quickFind().show(QString(), QString());
        QuickFindWindow* popup = t.qt.quickFind().window();
        const struct {
            QObject* control;
            QAccessible::Role role;
            QString name;
        } controls[] = {
            {w.driveList(), QAccessible::ComboBox, u"Drive"_s},
            {w.dirList(), QAccessible::List, u"Folders"_s},
            {w.fileList(), QAccessible::List, u"Files"_s},
            {w.treeView(), QAccessible::Tree, u"Shortcuts"_s},
            {w.pathLabel(), QAccessible::StaticText, u"Path"_s},
            {w.statusBar(), QAccessible::StatusBar, u"Status"_s},
            {popup, of(popup)->role(), u"Quick List"_s},
            {popup->searchField(), QAccessible::EditableText, u"Find"_s},
            {popup->list(), QAccessible::List, u"Matches"_s},
        };
        for (const auto& c : controls) {
            QCOMPARE(of(c.control)->text(QAccessible::Name), c.name);
            QCOMPARE(of(c.control)->role(), c.role);
        }
        t.qt.quickFind().close();
        QCOMPARE(of(w.driveList())->text(QAccessible::Value), w.driveList()->currentText());
        // The path shown is read as the label's text.
        t.form.browser().ShowHighlightedDirectory();
        QAccessibleTextInterface* path = of(w.pathLabel())->textInterface();
        QVERIFY(path && w.pathLabel()->text().size() > 1);
        QCOMPARE(path->text(0, path->characterCount()), w.pathLabel()->text());

        QAccessibleInterface* tree = of(w.treeView());
        QAccessibleInterface* alpha = tree->child(0);
        QAccessibleInterface* child = alpha->child(0);
        QCOMPARE(tree->childCount() * 10 + alpha->childCount(), 21);
        QCOMPARE(alpha->role(), QAccessible::TreeItem);
        QCOMPARE(alpha->text(QAccessible::Name) + tree->child(1)->text(QAccessible::Name) +
                     child->text(QAccessible::Name),
                 u"AlphaBetaInner"_s);
        QVERIFY(child->parent() == alpha && alpha->parent() == tree);
        QCOMPARE(tree->indexOfChild(tree->child(1)), 1);
        QCOMPARE(alpha->indexOfChild(child), 0);
        QCOMPARE(tree->indexOfChild(child), -1);
        QCOMPARE(QAccessible::uniqueId(tree->child(0)), QAccessible::uniqueId(alpha));
        QVERIFY(alpha->state().expandable && alpha->state().collapsed);
        QVERIFY(child->state().invisible && child->rect().isEmpty());
        QVERIFY(!alpha->state().invisible && alpha->rect().isValid());

        QStringList seen;
        walk(of(&w), seen);
        QVERIFY(seen.contains(u"%1 Shortcuts"_s.arg(QAccessible::Tree)));
        QVERIFY(seen.contains(u"%1 Inner"_s.arg(QAccessible::TreeItem)));
        QVERIFY(!seen.contains(u"%1 1"_s.arg(QAccessible::ColumnHeader)));

        // A node added is told to its folder.
        heard.clear();
        t.form.tree().Add(t.nodes[1], tvwChild, QString(), u"New"_s, u"leaf"_s);
        const QList<Heard> added = heardOf(QAccessible::ObjectCreated);
        QVERIFY(added.size() == 1 && added[0].name == u"New"_s);
        QCOMPARE(tree->child(1)->child(0)->text(QAccessible::Name), u"New"_s);

        // A node moved keeps its interface; a node deleted takes it along.
        QVERIFY(inner->SetParent(nullptr));
        QVERIFY(tree->childCount() == 3 && tree->child(2) == child && child->parent() == tree);
        const QAccessible::Id id = QAccessible::uniqueId(child);
        t.form.tree().Remove(inner);
        QVERIFY(!QAccessible::accessibleInterface(id));
    }

    // Right and Left on a folder tell that it opened and closed, on the node,
    // and the node's state says so after; a screen reader's own "toggle"
    // opens it as the expand mark does. The node a key moves to is told as
    // the focus. After a rename the focus is told on the node, by its new
    // name, and not on the tree; the editor was the "Label" meanwhile.
    void openingAFolderAndRenamingANodeAreTold() {
        RealWindow t({u"Alpha"_s, u"Beta"_s});
        t.form.tree().Add(t.nodes[0], tvwChild, QString(), u"Inner"_s, u"leaf"_s);
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(t.nodes[0]));
        QAccessibleInterface* alpha = of(&t.view())->child(0);
        for (const bool open : {true, false}) {
            heard.clear();
            QTest::keyClick(&t.view(), open ? Qt::Key_Right : Qt::Key_Left);
            const QList<Heard> changes = heardOf(QAccessible::StateChanged);
            QCOMPARE(changes.size(), 1);
            QVERIFY(changes[0].changed.expanded && changes[0].changed.collapsed);
            QCOMPARE(changes[0].name, u"Alpha"_s);
            QVERIFY(alpha->state().expanded == open && alpha->state().collapsed != open);
            QCOMPARE(alpha->child(0)->state().invisible, !open);
        }

        heard.clear();
        QTest::keyClick(&t.view(), Qt::Key_Down);
        const QList<Heard> focus = heardOf(QAccessible::Focus);
        QVERIFY(!focus.isEmpty() && focus.last().role == QAccessible::TreeItem);
        QCOMPARE(focus.last().name, u"Beta"_s);

        alpha->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(t.nodes[0]->Expanded() && alpha->state().expanded);

        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(t.nodes[1]));
        QTest::keyClick(&t.view(), Qt::Key_F2);
        QLineEdit* editor = t.editorOf(t.nodes[1]);
        QVERIFY(editor);
        QCOMPARE(of(editor)->text(QAccessible::Name), u"Label"_s);
        editor->selectAll();
        QTest::keyClicks(editor, u"Gamma"_s);
        heard.clear();
        QTest::keyClick(editor, Qt::Key_Return);
        // The window tells of the tree taking the focus back first; the
        // node follows from the event loop.
        QTRY_VERIFY(!heardOf(QAccessible::Focus).isEmpty() &&
                    heardOf(QAccessible::Focus).last().role == QAccessible::TreeItem);
        QCOMPARE(heardOf(QAccessible::Focus).last().name, u"Gamma"_s);
        const QList<Heard> names = heardOf(QAccessible::NameChanged);
        QVERIFY(!names.isEmpty() && names.last().name == u"Gamma"_s);
    }

    // The file list is given its first entry while the directory list shows
    // and has the keyboard: only a shown list's entry is told as the focus.
    // When the lists trade places, the one shown takes the keyboard along.
    void onlyTheShownListHasTheFocus() {
        RealWindow t({u"Alpha"_s});
        MainWindowWidget& w = *t.qt.window().widget();
        w.dirList()->setFocus();
        QVERIFY(w.dirList()->isVisible() && w.fileList()->isHidden());
        heard.clear();
        t.qt.fileList().setFiles({u"a.txt"_s, u"b.txt"_s});
        t.qt.fileList().setListIndex(1);
        for (const Heard& h : heardOf(QAccessible::Focus))
            QVERIFY(h.object != w.fileList());

        t.qt.dirList().setVisible(false);
        t.qt.fileList().setVisible(true);
        QVERIFY(w.fileList()->hasFocus());
        heard.clear();
        t.qt.fileList().setListIndex(0);
        const QList<Heard> focus = heardOf(QAccessible::Focus);
        QVERIFY(!focus.isEmpty() && focus.last().name == u"a.txt"_s);

        t.qt.dirList().setVisible(true);  // shown first, as when a directory has no files
        t.qt.fileList().setVisible(false);
        QVERIFY(w.dirList()->hasFocus());
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_qt_accessibility.moc"
