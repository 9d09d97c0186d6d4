// The filter over the tree: which nodes it keeps in view, the view given back
// as it was, and a tree that takes no change while part of it is hidden.
#include "FormHarness.h"
#include "TestFiles.h"
#include "WarningsFail.h"
#include "tree/TreeMenu.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Id = TreeMenuId;

namespace {
// A shown window whose settings file holds
//   Work (Café, Projects (Report)), Games (Chess), Music
// with a path on Projects, Projects open, Games selected and its settings
// written: nothing is left to save. Each node is hit at (10, 10 * its place in the file).
struct Filtering : FormHarness {
    Filtering() {
        writeSettings({
            u"Node=Work\t\tclosed\topen\tFalse\t0\tFalse"_s,
            u"Node=Café\t/home/ann/Docs/menu.txt\tleaf\t\tFalse\t1\tFalse"_s,
            u"Node=Projects\t/srv/plans\tclosed\topen\tTrue\t1\tFalse"_s,
            u"Node=Report\t/home/ann/work/report.odt\tleaf\t\tFalse\t3\tFalse"_s,
            u"Node=Games\t\tclosed\topen\tFalse\t0\tTrue"_s,
            u"Node=Chess\t/usr/games/chess\tleaf\t\tFalse\t5\tFalse"_s,
            u"Node=Music\t/home/ann/Music\tclosed\topen\tFalse\t0\tFalse"_s,
        });
        loadAndShow();
        wait(61000);  // whatever the first reading scheduled is written
        fake.treeView.scrolledTo.clear();
        float y = 10;
        for (TreeNode* n = form->tree().First(); n; n = NodeTree::NextInDocumentOrder(n), y += 10)
            fake.treeView.hits[{10, y}] = n;
    }
    TreeNode* node(const QString& text) const { return nodeLabelled(form->tree(), text); }
    void type(const QString& text) {
        form->filter().FilterKey_Press();
        form->filter().FilterLine_Change(text);
    }
    // The nodes the view keeps, in document order; "-" for the whole tree.
    QString kept() const {
        if (!fake.treeView.shownOnly)
            return u"-"_s;
        QStringList names;
        for (TreeNode* n = form->tree().First(); n; n = NodeTree::NextInDocumentOrder(n)) {
            if (fake.treeView.shownOnly->contains(n))
                names << n->Text();
        }
        return names.join(u' ');
    }
    // Each node's Expanded and which one is selected, as "Work- Projects+ *Games-".
    QString state() const {
        QStringList parts;
        for (TreeNode* n = form->tree().First(); n; n = NodeTree::NextInDocumentOrder(n)) {
            if (n->Children() > 0 || n->Selected())
                parts << (n->Selected() ? u"*"_s : u""_s) + n->Text() +
                             (n->Expanded() ? u'+' : u'-');
        }
        return parts.join(u' ');
    }
};
}  // namespace

class TestTreeFilter : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // What stays for what is typed: the nodes whose label or path holds it,
    // in any case and with or without accents, and the folders above them.
    void theFoundNodesAndTheirFoldersStay() {
        const std::pair<const char*, const char*> cases[] = {
            {"report", "Work Projects Report"},
            {"cafe", "Work Café"},
            {"DÓCS", "Work Café"},       // by its path
            {"ann/music", "Music"},      // a path across its separator
            {"plans", "Work Projects"},  // a folder's own path, children or not
            {"o", "Work Café Projects Report Music"},
            {"zebra", ""},  // nothing found: nothing shows
        };
        for (const auto& [typed, kept] : cases) {
            Filtering h;
            h.type(QString::fromUtf8(typed));
            QCOMPARE(h.kept(), QString::fromUtf8(kept));
            QVERIFY(h.form->filter().Filtering());
        }
    }

    // Typing and then Escape leave the tree, its selection and its file as
    // they were; nothing is saved for it. Emptying the line, or leaving only
    // blanks in it, shows the whole tree at once, with the line still open.
    void escapeGivesTheViewBack() {
        Filtering h;
        const QString before = h.state();
        h.type(u"rep"_s);
        h.form->filter().FilterLine_Change(u"repo"_s);
        QCOMPARE(h.kept(), u"Work Projects Report"_s);
        h.form->filter().FilterLine_Change(u"  "_s);  // blanks alone are no filter
        QCOMPARE(h.kept(), u"-"_s);
        QVERIFY(h.fake.filterLine.shown && !h.form->filter().Filtering());
        h.form->filter().FilterLine_Change(u"chess"_s);
        h.form->filter().FilterLine_Escape();
        QCOMPARE(h.kept(), u"-"_s);
        QVERIFY(!h.fake.filterLine.shown);
        QCOMPARE(h.state(), before);
        QVERIFY(!h.form->settings().SettingsDirty());
        QVERIFY(h.fake.treeView.scrolledTo.empty());

        // Escape in the tree ends it as well, and so does a backup read
        // back, which replaces the tree the filter was showing part of.
        h.type(u"chess"_s);
        h.form->treeMouse().TreeView_KeyDown(KeyEscape, 0);
        QVERIFY(!h.fake.filterLine.shown);
        QCOMPARE(h.kept(), u"-"_s);
        h.type(u"chess"_s);
        h.form->tray().tiRestore_Click();
        QVERIFY(!h.form->filter().Filtering() && !h.fake.filterLine.shown);
        QCOMPARE(h.kept(), u"-"_s);
    }

    // Opening and closing folders while filtered is the view's alone: no
    // Expanded changes, nothing is selected or saved for it. A node chosen
    // while filtered stays the selected one after Escape, and its folders
    // open so that it shows where it is; that change is saved.
    void aNodeChosenWhileFilteredStaysChosen() {
        Filtering h;
        const QString before = h.state();
        h.type(u"report"_s);
        h.form->treeMouse().TreeView_Collapse(h.node(u"Projects"_s));
        h.form->treeMouse().TreeView_Expand(h.node(u"Music"_s));
        QCOMPARE(h.state(), before);
        QVERIFY(!h.form->settings().SettingsDirty());
        h.form->filter().FilterLine_Change(u"menu"_s);
        TreeNode* cafe = h.node(u"Café"_s);
        h.form->treeMouse().TreeView_NodeClick(cafe);
        h.form->filter().FilterLine_Escape();
        QCOMPARE(h.state(), u"Work+ *Café- Projects+ Games-"_s);
        QVERIFY(!h.fake.treeView.scrolledTo.empty() && h.fake.treeView.scrolledTo.back() == cafe);
        QVERIFY(h.form->settings().SettingsDirty());
    }

    // While filtered the tree takes no change: the keys that would change it
    // do nothing, its menu greys them, drops are refused, no drag starts.
    // Opening works. Once the filter is gone all of it works again.
    void aFilteredTreeTakesNoChange() {
        Filtering h;
        TreeMouse& mouse = h.form->treeMouse();
        TreeNode* report = h.node(u"Report"_s);
        // Its row, the fourth.
        const float y = 40;
        report->SetTag(h.temp->path());  // there, to be opened
        h.form->tree().SetSelectedItem(report);
        h.form->tree().SetDropHighlight(report);
        mouse.TreeView_KeyDown(KeyF2, 0);
        h.form->editing().TreeView_AfterLabelEdit(u"Renamed"_s);  // to have a step to undo
        const int count = h.form->tree().Count();

        h.type(u"ren"_s);
        h.fake.treeView.editing = nullptr;
        mouse.TreeView_KeyDown(KeyF2, 0);
        QVERIFY(!h.fake.treeView.editing);
        mouse.TreeView_KeyDown(KeyZ, ShiftCtrl);
        QCOMPARE(report->Text(), u"Renamed"_s);
        mouse.TreeView_KeyDown(KeyDelete, 0);
        QCOMPARE(h.form->tree().Count(), count);

        // Greyed: New, Modify Path, Rename, Delete, Undo, Find Broken
        // Paths; the quick list's entries stay.
        mouse.TreeView_MouseDown(ButtonRight, 0, 10, y);
        for (Id id : {Id::tvNewFolderAfter, Id::tvNewItemFirst, Id::tvModify, Id::tvRename,
                      Id::tvDelete, Id::tvUndo, Id::tvFindBroken, Id::tvAddQuickList}) {
            const MenuEntry* entry = h.fake.menus.lastEntry(id);
            QVERIFY(entry);
            QCOMPARE(entry->enabled, id == Id::tvAddQuickList);
        }

        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, y);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 25, y);
        QVERIFY(h.fake.treeView.drags.isEmpty());
        mouse.TreeView_MouseUp(ButtonLeft, 0, 25, y);

        h.form->treeDrop().TreeView_DragOver(DragSource::DirList, 10, 10, 0);
        QCOMPARE(h.fake.dirList.pictures, QStringList{u"nodrop"_s});
        h.form->treeDrop().TreeView_DragDrop(DragSource::DirList, 500, 500);
        QFile dropped(h.temp->filePath(u"dropped.txt"_s));
        QVERIFY(dropped.open(QIODevice::WriteOnly));
        const ShellDropData shell{true, {dropped.fileName()}};
        QVERIFY(!h.form->externalDrop().TreeView_OLEDragOver(shell, 10, 10));
        h.form->externalDrop().TreeView_OLEDragDrop(shell, 500, 500);
        QCOMPARE(h.form->tree().Count(), count);

        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, y);
        mouse.TreeView_DblClick();
        mouse.TreeView_KeyDown(KeyReturn, 0);
        QCOMPARE(h.fake.shell.opened.size(), 2u);

        h.form->filter().FilterLine_Escape();
        mouse.TreeView_KeyDown(KeyZ, ShiftCtrl);
        QCOMPARE(report->Text(), u"Report"_s);
        mouse.TreeView_KeyDown(KeyF2, 0);
        QCOMPARE(h.fake.treeView.editing, report);
    }

    // A large tree is filtered once, when the typing pauses, not at every
    // letter; Escape before the pause leaves nothing to do after it.
    void aLargeTreeIsFilteredWhenTheTypingPauses() {
        Filtering h;
        TreeNode* music = h.node(u"Music"_s);
        for (int i = h.form->tree().Count(); i < 10000; ++i)
            h.form->tree().Add(music, tvwChild, QString(), u"Track %1"_s.arg(i), u"leaf"_s);
        h.type(u"c"_s);
        h.wait(100);
        h.form->filter().FilterLine_Change(u"ch"_s);
        h.wait(100);
        h.form->filter().FilterLine_Change(u"che"_s);
        QCOMPARE(h.fake.treeView.showings, 0);
        QVERIFY(!h.form->filter().Filtering());
        h.wait(150);
        QCOMPARE(h.fake.treeView.showings, 1);
        QCOMPARE(h.kept(), u"Games Chess"_s);

        h.form->filter().FilterLine_Change(u"track 9999"_s);
        h.form->filter().FilterLine_Escape();
        h.wait(1000);
        QCOMPARE(h.kept(), u"-"_s);
    }

    // A label being edited, or refused and waiting to be edited again, ends
    // on its node: the filter does not open meanwhile.
    void noFilterWhileALabelIsEdited() {
        Filtering h;
        h.form->tree().SetSelectedItem(h.node(u"Music"_s));
        h.form->editing().tvRename_Click();
        h.form->filter().FilterKey_Press();
        QVERIFY(!h.fake.filterLine.shown);
        h.form->editing().TreeView_AfterLabelEdit(u"Tunes"_s);
        h.type(u"tun"_s);
        QVERIFY(h.fake.filterLine.shown);
        QCOMPARE(h.kept(), u"Tunes"_s);
    }
};

QTEST_GUILESS_MAIN(TestTreeFilter)
#include "test_tree_filter.moc"
