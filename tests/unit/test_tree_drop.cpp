// Drags of the window's own controls ending on the tree: the row a drag
// points at, the drop highlight and the pictures, the drop menu, and the
// scrolling near the tree's edges.
#include "FakePlatform.h"
#include "WarningsFail.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "settings/SettingsSchedule.h"
#include "tree/DragStates.h"
#include "tree/DropCommands.h"
#include "tree/MenuOptions.h"
#include "tree/ReadOnlyTree.h"
#include "tree/TreeDrop.h"
#include "tree/TreeDropMenu.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Id = TreeDropMenuId;

namespace {
// A tree of Work (Docs (Deep), Notes) and Game, 1500 twips high with ten
// rows; each node's label is hit 520 twips across on its own row. The
// drags, the menu's commands and the saves are the fixture's own.
struct Drop : DragStates, DropCommands, SettingsSchedule, QuickListState, ReadOnlyTree {
    int TreeDragState() const override { return treeDrag; }
    int DirDragState() const override { return 0; }
    int FileDragState() const override { return 0; }
    TreeNode* DragNode() const override { return dragged; }
    void EndDrag(DragSource source) override { ended.push_back(source); }
    void tdInside_Click() override { calls << u"inside"_s; }
    void tdBefore_Click() override { calls << u"before"_s; }
    void tdAfter_Click() override { calls << u"after"_s; }
    void tdCancel_Click() override { calls << u"cancel"_s; }
    void AddBrowserPath(std::optional<Relationship> relationship) override {
        calls << (relationship ? u"copy %1"_s.arg(*relationship) : u"copy to the end"_s);
    }
    void SetExternalDropPending(bool pending) override {
        calls << (pending ? u"external"_s : u"own"_s);
    }
    void ScheduleSave() override { ++saves; }
    bool ReadOnly() const override { return false; }
    bool SettingsPending() const override { return false; }
    void LoadSettings() override {}
    const QuickEntries& QuickEntriesNow() const override { return quick; }
    void RestoreQuickEntries(const QuickEntries& entries) override { quick = entries; }
    QuickEntries quick;
    int treeDrag = 0, saves = 0;
    TreeNode* dragged = nullptr;
    std::vector<DragSource> ended;
    QStringList calls;

    FakePlatform fake;
    NodeTree tree;
    MenuOptions options;
    TreeHistory history{tree, *this};
    TreeDrop drop{fake.platform(), {tree, history, *this, *this, *this, options, *this}};
    TreeNode* work = add(nullptr, "Work", "closed", 0);
    TreeNode* docs = add(work, "Docs", "closed", 1);
    TreeNode* deep = add(docs, "Deep", "leaf", 2);
    TreeNode* notes = add(work, "Notes", "leaf", 3);
    TreeNode* game = add(nullptr, "Game", "leaf", 4);

    TreeNode* add(TreeNode* parent, const char* text, const char* image, int row) {
        TreeNode* n = tree.Add(parent, parent ? tvwChild : tvwLast, QString(), QLatin1String(text),
                               QLatin1String(image));
        n->SetTag(u"/p/"_s + QLatin1String(text));
        fake.treeView.hits[{520, yOf(row)}] = n;
        return n;
    }
    static float yOf(int row) { return 150.0f * row + 75; }
};
}  // namespace

class TestTreeDrop : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void theDropMenuFitsTheDragAndTheTarget_data() {
        QTest::addColumn<DragSource>("source");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("fullPath");
        QTest::addColumn<QString>("entries");  // caption, "-" when disabled; then Cancel
        QTest::newRow("node on a folder, full path")
            << DragSource::TreeView << true << true
            << u"Move Inside The Folder|Move Before The Folder|Move After The Folder|Cancel"_s;
        QTest::newRow("file on an item")
            << DragSource::FileList << false << false
            << u"Copy Inside The Item-|Copy Before The Item|Copy After The Item|Cancel"_s;
        QTest::newRow("directory, full path, on an item")
            << DragSource::DirList << false << true
            << u"Copy Full Path|Copy Before The Item-|Copy After The Item-|Cancel"_s;
    }

    void theDropMenuFitsTheDragAndTheTarget() {
        QFETCH(DragSource, source);
        QFETCH(bool, folder);
        QFETCH(bool, fullPath);
        QFETCH(QString, entries);
        QStringList shown;
        for (const MenuEntry& entry : BuildTreeDropMenu(source, folder, fullPath).children) {
            if (entry.kind == MenuEntry::Kind::Command)
                shown << entry.caption + (entry.enabled ? u""_s : u"-"_s);
        }
        QCOMPARE(shown.join(u'|'), entries);
    }

    // The menu's choice runs on the node let go over (the probes look left
    // of the pointer first, then right), whose path the label then shows; a
    // drag lost outside the window is ended first. Onto itself a node asks
    // nothing; a dismissed menu runs nothing.
    void dropsOnNodes() {
        Drop d;
        d.treeDrag = 2;
        d.dragged = d.game;
        d.fake.menus.choose(Id::tdAfter);
        d.drop.TreeView_DragDrop(DragSource::TreeView, 1000, Drop::yOf(1));
        QCOMPARE(d.fake.menus.lastEntry(Id::tdInside)->caption, u"Move Inside The Folder"_s);
        QCOMPARE(d.fake.pathLabel.text, u" /p/Docs"_s);
        QCOMPARE(d.ended,
                 (std::vector{DragSource::DirList, DragSource::FileList, DragSource::TreeView}));
        QCOMPARE(d.saves, 1);
        d.drop.TreeView_DragDrop(DragSource::TreeView, 520, Drop::yOf(4));
        QCOMPARE(d.fake.menus.shown.size(), size_t(1));
        d.drop.TreeView_DragDrop(DragSource::FileList, 40, Drop::yOf(3));
        QCOMPARE(d.calls, (QStringList{u"own"_s, u"after"_s, u"own"_s}));
    }

    // Over a row the node there alone shows highlighted; entering and
    // leaving change the drag's picture. Let go over empty space, a node
    // moves nowhere and gets its selection back; a directory ends the top
    // level. Neither asks with a menu.
    void dragOverAndDropOnEmptySpace() {
        Drop d;
        d.tree.SetSelectedItem(d.notes);
        d.treeDrag = 2;
        d.dragged = d.notes;
        d.drop.TreeView_DragOver(DragSource::TreeView, 1000, Drop::yOf(1), 0);
        QVERIFY(d.tree.DropHighlight() == d.docs && d.tree.SelectionHidden());
        d.drop.TreeView_DragOver(DragSource::TreeView, 1000, Drop::yOf(8), 1);
        QCOMPARE(d.fake.treeView.pictures,
                 (std::vector<DragPicture>{DragPicture::TempImage, DragPicture::NoDrop}));
        d.drop.TreeView_DragDrop(DragSource::TreeView, 520, Drop::yOf(8));
        QVERIFY(d.notes->Selected() && d.tree.DropHighlight() == d.notes &&
                !d.tree.SelectionHidden());

        d.drop.TreeView_DragOver(DragSource::DirList, 1000, Drop::yOf(2), 0);
        QCOMPARE(d.fake.dirList.pictures, QStringList{u"drop"_s});
        d.drop.TreeView_DragDrop(DragSource::DirList, 520, Drop::yOf(8));
        QCOMPARE(d.calls, QStringList{u"copy to the end"_s});
        QVERIFY(d.fake.menus.shown.empty());
    }

    // A node held in the bottom band walks down the shown rows, one each 50 ms,
    // stepping over a collapsed folder's children and into an expanded one's;
    // held in the top band it walks up into the last shown row of a folder. The
    // walk stops at the ends, when the pointer leaves the bands, and for drags
    // that are not the tree's.
    void theTreeScrollsOneRowAtATime() {
        Drop d;
        d.work->SetExpanded(true);  // Docs stays collapsed: Deep is not shown
        d.treeDrag = 2;
        const float bottom = 1450, top = 50;
        d.fake.treeView.hits[{520, bottom}] = d.work;
        d.drop.TreeView_DragOver(DragSource::TreeView, 520, bottom, 2);
        QStringList walk;
        for (int tick = 0; tick < 4; ++tick) {
            // Moves over the same row between two ticks leave the beat alone.
            d.fake.clock.advance(30);
            d.drop.TreeView_DragOver(DragSource::TreeView, 1000, bottom, 2);
            d.fake.clock.advance(20);
            // The row scrolled in is the one under the pointer now.
            d.fake.treeView.hits[{520, bottom}] = d.tree.DropHighlight();
            walk << d.tree.DropHighlight()->Text();
        }
        QCOMPARE(walk, (QStringList{u"Docs"_s, u"Notes"_s, u"Game"_s, u"Game"_s}));
        QCOMPARE(d.fake.treeView.scrolledTo.back(), d.game);

        // Held a while over the node at y: the node highlighted then.
        const auto held = [&d](DragSource source, float y, TreeNode* there) {
            d.fake.treeView.hits[{520, y}] = there;
            d.drop.TreeView_DragOver(source, 520, y, 2);
            d.fake.clock.advance(100);
            return d.tree.DropHighlight();
        };
        d.docs->SetExpanded(true);
        QCOMPARE(held(DragSource::TreeView, top, d.game), d.deep);
        QCOMPARE(held(DragSource::TreeView, 700, d.notes), d.notes);
        d.treeDrag = 0;
        QCOMPARE(held(DragSource::FileList, bottom, d.work), d.work);
    }

    // Let go in the bottom band, a drag scrolls no further: the drop acts on
    // the node let go over, however the rows moved before it was told, and
    // the highlight stays there under the drop menu.
    void aDropStopsTheScrollingWhereItWasLetGo() {
        Drop d;
        d.treeDrag = 2;
        d.fake.treeView.hits[{520, 1450}] = d.work;
        d.drop.TreeView_DragOver(DragSource::TreeView, 520, 1450, 2);
        d.drop.TreeView_DragRelease(DragSource::TreeView, 520, 1450);
        d.fake.treeView.hits[{520, 1450}] = d.game;
        d.fake.clock.advance(100);
        TreeNode* underMenu = nullptr;
        d.fake.menus.whileShown = [&d, &underMenu] {
            d.fake.clock.advance(100);
            underMenu = d.tree.DropHighlight();
        };
        d.drop.TreeView_DragDrop(DragSource::TreeView, 520, 1450);
        QCOMPARE(underMenu, d.work);
    }
};

QTEST_GUILESS_MAIN(TestTreeDrop)
#include "test_tree_drop.moc"
