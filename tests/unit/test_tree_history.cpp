// Undo and redo of the user's changes to the tree and the quick list: each
// kind of change made by its own handler, taken back and made again to the
// byte of the settings file, and the bounds of the history.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "model/TreeHistory.h"
#include "settings/SettingsWriter.h"
#include "tree/TreeDropMenu.h"
#include "tree/TreeMenu.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown window whose tree holds
//   Work+ (Docs+ (Deep, Notes), Memo), Game, Empty
// with Deep and Game in the quick list and Game selected; each node is hit
// at (10, its y), empty space at (500, 500). The program directory holds a
// directory "sub" for the browser to copy from.
struct History : FormHarness {
    History() {
        QDir(paths.programDir).mkdir(u"sub"_s);
        loadAndShow();
        work = node(nullptr, "Work", "closed");
        docs = node(work, "Docs", "closed");
        deep = node(docs, "Deep", "7");
        notes = node(docs, "Notes", "leaf");
        memo = node(work, "Memo", "leaf");
        game = node(nullptr, "Game", "leaf");
        empty = node(nullptr, "Empty", "closed");
        for (TreeNode* folder : {work, docs, empty})
            folder->SetExpandedImage(u"open"_s);
        deep->SetExpandedImage(u"8"_s);
        work->SetExpanded(true);
        docs->SetExpanded(true);
        select(deep);
        form->tray().tvAddQuickList_Click();
        select(game);
        form->tray().tvAddQuickList_Click();
        form->history().Clear();  // the fixture is no user's doing
    }
    TreeNode* node(TreeNode* parent, const char* text, const char* image) {
        TreeNode* n = form->tree().Add(parent, parent ? tvwChild : tvwLast, QString(),
                                       QLatin1String(text), QLatin1String(image));
        n->SetTag(u"/p/"_s + QLatin1String(text));
        const float y = 10.0f * float(ys.size() + 1);
        fake.treeView.hits[{10, y}] = n;
        ys[n] = y;
        return n;
    }
    void select(TreeNode* n) {
        form->tree().SetSelectedItem(n);
        form->tree().SetDropHighlight(n);
    }
    // The tree and the quick list as the settings file gets them.
    QByteArray text() {
        return WriteSettingsText(SettingsValues{}, form->tree(), form->tray().Quick().Entries());
    }
    void key(int key, int shift) { form->treeMouse().TreeView_KeyDown(key, shift); }
    void press(TreeNode* n) { form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, ys[n]); }
    // A new node whose label is left as "New Node".
    void addNew(Relationship relationship, bool item) {
        form->editing().AddNewNode(relationship, item);
        form->treeMouse().TreeView_AfterLabelEdit(std::nullopt);
    }
    void treeDrag(TreeNode* from, TreeNode* onto, TreeDropMenuId choice) {
        form->treeMouse().TreeView_MouseMove(ButtonLeft, 0, 10, ys[from]);
        fake.menus.choose(choice);
        form->treeDrop().TreeView_DragDrop(DragSource::TreeView, 10, ys[onto]);
    }
    // A drag of the browser's highlighted directory "sub" let go over the node.
    void browserDrag(TreeNode* onto, TreeDropMenuId choice) {
        form->browserMouse().DirList_MouseDown(ButtonLeft, 0, 30, 30);
        form->browserMouse().DirList_MouseMove(ButtonLeft, 0, 45, 30);
        fake.menus.choose(choice);
        form->treeDrop().TreeView_DragDrop(DragSource::DirList, 10, ys[onto]);
    }
    // The tree's menu opened on empty space, and its Undo entry.
    MenuEntry undoEntry() {
        fake.menus.shown.clear();
        form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 500, 500);
        const MenuEntry* entry = fake.menus.lastEntry(TreeMenuId::tvUndo);
        if (!entry)
            qFatal("the tree's menu was not shown");
        return *entry;
    }

    QStringList dropped() const {
        return {files.filePath(u"a.txt"_s), files.filePath(u"folder"_s)};
    }

    QTemporaryDir files;
    TreeNode *work, *docs, *deep, *notes, *memo, *game, *empty;
    std::map<TreeNode*, float> ys;
};

struct Case {
    const char* name;
    const char* caption;
    // What comes before the change without being part of it, as a press
    // selects the node a drag starts from.
    std::function<void(History&)> prepare;
    std::function<void(History&)> change;
};

const Case Cases[] = {
    {"delete a folder with nested children, expansion and a quick-list entry", "Delete",
     [](History& h) { h.select(h.docs); }, [](History& h) { h.key(KeyDelete, 0); }},
    {"delete the last top-level node", "Delete", [](History& h) { h.select(h.empty); },
     [](History& h) { h.form->editing().tvDelete_Click(); }},
    {"new folder after a node", "New Folder", [](History& h) { h.select(h.memo); },
     [](History& h) { h.addNew(tvwNext, false); }},
    {"new item inside a collapsed folder", "New Item", [](History& h) { h.select(h.empty); },
     [](History& h) { h.addNew(tvwChild, true); }},
    {"rename a node in the quick list", "Rename",
     [](History& h) {
         h.select(h.deep);
         h.form->editing().tvRename_Click();
     },
     [](History& h) { h.form->treeMouse().TreeView_AfterLabelEdit(u"Deeper"_s); }},
    {"modify the path of a node in the quick list", "Modify",
     [](History& h) {
         h.select(h.game);
         h.form->browser().PointAt(QDir::rootPath());
     },
     [](History& h) { h.form->editing().tvModify_Click(); }},
    {"move an item into a folder", "Move", [](History& h) { h.press(h.game); },
     [](History& h) { h.treeDrag(h.game, h.empty, TreeDropMenuId::tdInside); }},
    {"move a folder before a node", "Move", [](History& h) { h.press(h.docs); },
     [](History& h) { h.treeDrag(h.docs, h.game, TreeDropMenuId::tdBefore); }},
    {"move a folder after a node", "Move", [](History& h) { h.press(h.work); },
     [](History& h) { h.treeDrag(h.work, h.empty, TreeDropMenuId::tdAfter); }},
    {"copy a directory of the browser into a folder", "Copy",
     [](History& h) { h.form->browserMouse().DirList_Click(0); },
     [](History& h) { h.browserDrag(h.docs, TreeDropMenuId::tdInside); }},
    {"copy the full path of a directory of the browser", "Copy",
     [](History& h) {
         h.form->options().SetFullPath(true);
         h.form->browserMouse().DirList_Click(0);
     },
     [](History& h) { h.browserDrag(h.game, TreeDropMenuId::tdInside); }},
    {"drop files and a folder from another program before a node", "Drop",
     [](History& h) {
         QDir(h.files.path()).mkdir(u"folder"_s);
         QFile(h.files.filePath(u"a.txt"_s)).open(QIODevice::WriteOnly);
         h.form->externalDrop().TreeView_OLEDragOver({true, h.dropped()}, 10, h.ys[h.notes]);
     },
     [](History& h) {
         h.fake.menus.choose(TreeDropMenuId::tdBefore);
         h.form->externalDrop().TreeView_OLEDragDrop({true, h.dropped()}, 10, h.ys[h.notes]);
     }},
    {"add to the quick list", "Add to Quick List", [](History& h) { h.select(h.memo); },
     [](History& h) { h.form->tray().tvAddQuickList_Click(); }},
    {"remove from the quick list", "Remove from Quick List", [](History& h) { h.select(h.deep); },
     [](History& h) { h.form->tray().tvRmvQuickList_Click(); }},
};

// A quick list of its own for the history of a bare tree.
struct BareTree : QuickListState {
    const QuickEntries& QuickEntriesNow() const override { return quick; }
    void RestoreQuickEntries(const QuickEntries& entries) override { quick = entries; }
    QByteArray text() { return WriteSettingsText(SettingsValues{}, tree, quick); }
    TreeNode* add(TreeNode* parent, const QString& text) {
        return tree.Add(parent, parent ? tvwChild : tvwLast, QString(), text, u"leaf"_s);
    }
    QuickEntries quick;
    NodeTree tree;
    TreeHistory history{tree, *this};
};
}  // namespace

class TestTreeHistory : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each change comes out of the settings file as it went in: undone
    // (Ctrl+Z), redone (Ctrl+Y), undone from the menu's entry, which names
    // it, and redone again (Ctrl+Shift+Z). An undo schedules a save like
    // any change: the tree it puts back is to be written.
    void everyKindOfChangeIsUndoneAndRedoneExactly() {
        for (const Case& c : Cases) {
            History h;
            c.prepare(h);
            const QByteArray before = h.text();
            c.change(h);
            const QByteArray after = h.text();
            QVERIFY2(after != before, c.name);

            h.form->settings().SaveSettings();
            h.key(KeyZ, ShiftCtrl);
            QVERIFY2(h.text() == before, c.name);
            QVERIFY2(h.form->settings().SettingsDirty(), c.name);
            h.key(KeyY, ShiftCtrl);
            QVERIFY2(h.text() == after, c.name);
            const MenuEntry undo = h.undoEntry();
            QCOMPARE(undo.caption, u"Undo "_s + QLatin1String(c.caption));
            QVERIFY(undo.enabled);
            h.fake.menus.choose(TreeMenuId::tvUndo);
            h.undoEntry();
            QVERIFY2(h.text() == before, c.name);
            h.key(KeyZ, ShiftCtrl | ShiftShift);
            QVERIFY2(h.text() == after, c.name);
        }
    }

    // With nothing done, the entry reads "Undo" and is greyed; a refused or
    // backed-out label and a cancelled drop make no step.
    void whatChangesNothingIsNoStep() {
        History h;
        MenuEntry undo = h.undoEntry();
        QCOMPARE(undo.caption, u"Undo"_s);
        QVERIFY(!undo.enabled);
        h.select(h.memo);
        h.form->editing().tvRename_Click();
        h.form->treeMouse().TreeView_AfterLabelEdit(u"  "_s);  // refused
        h.form->treeMouse().TreeView_AfterLabelEdit(std::nullopt);
        h.press(h.game);
        h.treeDrag(h.game, h.work, TreeDropMenuId::tdCancel);
        h.form->treeMouse().TreeView_NodeClick(h.deep);  // a selection by hand
        QCOMPARE(h.form->history().StepCount(), 0);
        const QByteArray before = h.text();
        h.key(KeyZ, ShiftCtrl);  // nothing to take back
        QCOMPARE(h.text(), before);
    }

    // A change to the tree's shape outside any step forgets every step:
    // positions kept from before would name other nodes. A node expanded by
    // hand or an icon found moves nothing: the step stays.
    void changesOutsideStepsForgetTheStepsButFieldsDoNot() {
        for (const int outside : {0, 1, 2, 3}) {
            BareTree b;
            TreeNode* a = b.add(nullptr, u"a"_s);
            TreeNode* z = b.add(nullptr, u"z"_s);
            {
                TreeHistory::Step step(b.history, u"New Item"_s);
                b.add(a, u"c"_s);
            }
            if (outside == 0)
                b.add(nullptr, u"d"_s);
            else if (outside == 1)
                b.tree.Remove(z);
            else if (outside == 2)
                z->SetParent(a);
            else {
                a->SetExpanded(true);
                a->SetImage(u"9"_s);
            }
            QCOMPARE(b.history.StepCount(), outside == 3 ? 1 : 0);
            b.history.Undo();
            QCOMPARE(a->Children(), outside == 2 ? 2 : outside == 3 ? 0 : 1);
        }
    }

    // The history keeps the last hundred steps; a new step after undoing
    // drops what could have been redone.
    void theHistoryIsBoundedAndANewStepDropsTheRedo() {
        BareTree b;
        std::vector<QByteArray> texts{b.text()};
        for (int i = 0; i < TreeHistory::Limit + 5; ++i) {
            TreeHistory::Step step(b.history, u"New Item"_s);
            b.add(nullptr, QString::number(i));
            texts.push_back(b.text());
        }
        QCOMPARE(b.history.StepCount(), TreeHistory::Limit);
        for (int i = 0; i < TreeHistory::Limit; ++i)
            b.history.Undo();
        QCOMPARE(b.text(), texts[5]);
        b.history.Redo();
        b.history.Redo();
        QCOMPARE(b.text(), texts[7]);
        {
            TreeHistory::Step step(b.history, u"Delete"_s);
            b.tree.Remove(b.tree.First());
        }
        QVERIFY(!b.history.CanRedo());
        QCOMPARE(b.history.StepCount(), 3);
        b.history.Undo();
        QCOMPARE(b.text(), texts[7]);
    }

    // A node put back gets its icon like a new one, though the lookup under
    // way when it was deleted was dropped with it.
    void restoredItemsLookTheirIconsUp() {
        FormHarness h;
        QFile(h.paths.programDir + u"/a.txt"_s).open(QIODevice::WriteOnly);
        h.writeSettings(
            {u"Node=A\t%1\t7\t\tFalse\t0\tTrue"_s.arg(h.paths.programDir + u"/a.txt"_s)});
        h.fake.work.hold = true;  // nothing answers before the delete
        h.loadAndShow();
        QCOMPARE(h.form->tree().First()->Image(), u"?7"_s);
        h.form->tree().SetDropHighlight(h.form->tree().First());
        h.form->editing().tvDelete_Click();
        h.form->undo().tvUndo_Click();
        while (h.fake.work.release()) {
        }
        QCOMPARE(h.form->tree().First()->Image(), u"leaf"_s);  // an empty file has no icon
    }

    // A change as large as replacing the whole tree and the quick list
    // (as a restore of a kept copy does) is one step under one caption;
    // steps opened inside it are part of it. Undone, the old tree and list
    // come back whole, the selection too; redone, the new ones.
    void aWholeReplacementIsOneStep() {
        BareTree b;
        TreeNode* a = b.add(nullptr, u"a"_s);
        TreeNode* c = b.add(b.add(a, u"b"_s), u"c"_s);
        b.add(nullptr, u"d"_s)->SetTag(u"/d"_s);
        // A label UTF-8 cannot hold is kept as it was, after one it can.
        const QString odd = u"odd "_s + QChar(0xDC00);
        b.add(b.tree.TopLevelAt(1), odd)->SetTag(u"/\u00e9"_s + QChar(0xD800));
        a->SetExpanded(true);
        b.tree.SetSelectedItem(a->Child());
        b.quick = {{u"c"_s, u""_s}};
        const QByteArray before = b.text();  // which takes keys away
        c->SetKey(u"k"_s);
        {
            TreeHistory::Step step(b.history, u"Restore"_s);
            while (TreeNode* first = b.tree.First())
                b.tree.Remove(first);
            {
                TreeHistory::Step inner(b.history, u"Delete"_s);
                TreeNode* x = b.tree.AppendLoaded(nullptr, "x", "/x", u"closed"_s, u"open"_s, true);
                b.tree.AppendLoaded(x, "y\xc3\xa9", "", u"leaf"_s, {}, false);
            }
            b.quick = {{u"x"_s, u"/x"_s}};
            b.tree.SetSelectedItem(b.tree.First());
        }
        const QByteArray after = b.text();
        QCOMPARE(b.history.UndoCaption(), u"Restore"_s);
        QCOMPARE(b.history.Undo()->Text(), u"b"_s);
        QCOMPARE(b.tree.Item(u"k"_s)->Text(), u"c"_s);  // the key came back too
        QCOMPARE(b.tree.TopLevelAt(1)->Child()->Text(), odd);
        QCOMPARE(b.tree.TopLevelAt(1)->Child()->Tag(), u"/\u00e9"_s + QChar(0xD800));
        QCOMPARE(b.text(), before);
        QCOMPARE(b.history.RedoCaption(), u"Restore"_s);
        b.history.Redo();
        QCOMPARE(b.text(), after);
    }
};

QTEST_GUILESS_MAIN(TestTreeHistory)
#include "test_tree_history.moc"
