// The tree's menu, new nodes and their labels, delete, rename, modify path,
// the hints, the keys and the start of a drag.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "browser/BrowserMouse.h"
#include "browser/BrowserTexts.h"
#include "tree/HoverHelp.h"
#include "tree/TreeMenu.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Id = TreeMenuId;

namespace {
// A shown window whose tree holds Work (Docs (Deep)) and Game; each node is
// hit at (10, its y), empty space at (500, 500).
struct Editing : FormHarness {
    Editing() {
        loadAndShow();
        work = node(nullptr, "Work", "closed", 10);
        docs = node(work, "Docs", "closed", 20);
        deep = node(docs, "Deep", "leaf", 30);
        game = node(nullptr, "Game", "leaf", 40);
    }
    TreeNode* node(TreeNode* parent, const char* text, const char* image, float y) {
        TreeNode* n = form->tree().Add(parent, parent ? tvwChild : tvwLast, QString(),
                                       QLatin1String(text), QLatin1String(image));
        n->SetTag(u"/p/"_s + QLatin1String(text));
        fake.treeView.hits[{10, y}] = n;
        ys[n] = y;
        return n;
    }
    // A right press on the node (null: empty space), choosing an entry.
    void menu(TreeNode* n, Id choice = Id::tvCancel) {
        fake.menus.choose(choice);
        form->treeMouse().TreeView_MouseDown(ButtonRight, 0, n ? 10 : 500, n ? ys[n] : 500);
    }
    const MenuEntry& entry(Id id) const {
        const MenuEntry* found = fake.menus.lastEntry(id);
        if (!found)
            qFatal("the menu was not shown");
        return *found;
    }
    void addToQuickList(TreeNode* n) {
        form->tree().SetSelectedItem(n);
        form->tray().tvAddQuickList_Click();
    }
    QString quickCaption() const { return form->tray().Quick().Entries().at(0).caption; }
    QString shape() const {
        QStringList parts;
        for (TreeNode* n = form->tree().First(); n; n = NodeTree::NextInDocumentOrder(n)) {
            int depth = 0;
            for (TreeNode* p = n->Parent(); p; p = p->Parent())
                ++depth;
            parts << QString(depth, u'.') + n->Text();
        }
        return parts.join(u' ');
    }
    TreeNode *work, *docs, *deep, *game;
    std::map<TreeNode*, float> ys;
};
}  // namespace

class TestTreeEditing : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Enabled: New Folder Inside, First, Before, After, Last | the same for
    // New Item, Modify, Rename | Add to, Remove from Quick List | Delete.
    void theMenuFitsWhatWasPressed() {
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {"folder", "+++++ +++++++ +- +", "Inside The Selected Folder"},
            {"item", "-++++ -++++++ +- +", "Inside The Selected Item"},
            {"nothing", "-+--- -+----- -- -", "Inside"},
            {"listed", "-++++ -++++++ -+ +", "Inside The Selected Item"},
            {"full", "-++++ -++++++ -- +", "Inside The Selected Item"},
        };
        for (const auto& [on, enabled, inside] : cases) {
            Editing h;
            const QLatin1String what(on);
            if (what == "listed"_L1)
                h.addToQuickList(h.game);
            for (int i = 0; what == "full"_L1 && i < 64; ++i)
                h.form->tray().Quick().Add(QString::number(i), u"/x"_s);
            h.menu(what == "folder"_L1 ? h.docs : what == "nothing"_L1 ? nullptr : h.game);
            QString shown;
            for (int i = int(Id::tvNewFolderInside); i <= int(Id::tvDelete); ++i) {
                const Id id = Id(i);  // the separators and the "New Item" submenu: a space
                if (id >= Id::tvCutSep && id <= Id::tvPasteAfter)
                    continue;  // moving without a drag: test_cut_paste
                const bool gap = id == Id::tvNewItem || id == Id::tvSep0 || id == Id::tvSep1;
                shown += gap ? u' ' : h.entry(id).enabled ? u'+' : u'-';
            }
            QCOMPARE(shown, QLatin1String(enabled));
            QCOMPARE(h.entry(Id::tvNewItemInside).caption, QLatin1String(inside));
        }
    }

    // From the node pressed; none selected means the end of the top level.
    void newNodesGoWhereTheirEntrySays() {
        const std::tuple<TreeNode * Editing::*, Id, const char*> cases[] = {
            {&Editing::deep, Id::tvNewFolderFirst, "New Node Work .Docs ..Deep Game"},
            {&Editing::deep, Id::tvNewItemLast, "Work .Docs ..Deep ..New Node Game"},
            {&Editing::work, Id::tvNewFolderInside, "Work .Docs ..Deep .New Node Game"},
            {&Editing::game, Id::tvNewItemBefore, "Work .Docs ..Deep New Node Game"},
            {&Editing::docs, Id::tvNewFolderAfter, "Work .Docs ..Deep .New Node Game"},
            {nullptr, Id::tvNewFolderFirst, "Work .Docs ..Deep Game New Node"},
        };
        for (const auto& [pressed, entry, shape] : cases) {
            Editing h;
            h.form->tree().SetSelectedItem(nullptr);
            h.menu(pressed ? h.*pressed : nullptr, entry);
            QCOMPARE(h.shape(), QLatin1String(shape));
            TreeNode* added = h.form->tree().SelectedItem();
            QCOMPARE(h.fake.treeView.editing, added);  // its label open for typing
            QVERIFY(!added->Parent() || added->Parent()->Expanded());
        }
    }

    // "Modify Path" points the node at the browser's highlighted directory,
    // shown in the path label, and its quick-list entry follows; its label
    // does not. The change is saved. A blank label (TAB and line breaks are
    // blanks) is refused and keeps the old one; the next press opens the
    // editor again and does nothing else. An accepted label, as typed but
    // for those blanks, goes to the node edited, wherever the selection
    // went meanwhile, and carries its quick-list entry along.
    void pathsAndLabelsCarryTheQuickListEntry() {
        Editing h;
        h.addToQuickList(h.game);
        h.form->browser().PointAt(QDir::rootPath());
        h.form->settings().SaveSettings();
        h.menu(h.game, Id::tvModify);
        QCOMPARE(h.form->tray().Quick().Entries().at(0), (QuickEntry{u"Game"_s, u"/"_s}));
        QCOMPARE(h.fake.pathLabel.text, u" /"_s);
        QVERIFY(h.form->settings().SettingsDirty());
        h.menu(h.game, Id::tvRename);
        h.form->treeMouse().TreeView_AfterLabelEdit(u" \t\r\n"_s);
        QCOMPARE(h.game->Text(), u"Game"_s);
        QCOMPARE(h.fake.messages.shown.at(0).text, u"Entry can not be blank."_s);
        h.fake.treeView.editing = nullptr;
        const size_t menus = h.fake.menus.shown.size();
        h.menu(h.work);  // reopens the editor: no menu, no selection
        QCOMPARE(h.fake.treeView.editing, h.game);
        QCOMPARE(h.fake.menus.shown.size(), menus);
        QVERIFY(h.game->Selected());
        h.form->treeMouse().TreeView_NodeClick(h.work);
        h.form->treeMouse().TreeView_AfterLabelEdit(u" Ga\tmes\n"_s);
        QCOMPARE(h.quickCaption() + u'|' + h.game->Text() + u'|' + h.work->Text(),
                 u" Ga mes | Ga mes |Work"_s);
    }

    // Deleting takes the subtree and the node's own quick-list entry; the
    // label shows the neighbour: the previous sibling, else the next (closed
    // when it has no children), else the parent, else nothing.
    void deletingShowsTheNeighbour() {
        Editing h;
        h.addToQuickList(h.docs);
        h.addToQuickList(h.deep);
        TreeNode* music = h.node(h.work, "Music", "leaf", 50);
        TreeNode* film = h.node(nullptr, "Film", "leaf", 60);
        music->SetExpanded(true);
        h.form->settings().SaveSettings();
        h.menu(h.game, Id::tvDelete);
        QCOMPARE(h.fake.pathLabel.text, u" /p/Work"_s);
        h.menu(h.docs, Id::tvDelete);
        QCOMPARE(h.fake.pathLabel.text, u" /p/Music"_s);
        QVERIFY(!music->Expanded());
        QCOMPARE(h.quickCaption(), u"Deep"_s);  // inside: kept
        h.menu(music, Id::tvDelete);
        QCOMPARE(h.fake.pathLabel.text, u" /p/Work"_s);
        h.form->treeMouse().TreeView_KeyDown(KeyDelete, 0);  // Work, by the key
        h.menu(film, Id::tvDelete);
        QCOMPARE(h.shape() + h.fake.pathLabel.text, QString());
    }

    // The bar is written only when its hint changes. The keyboard gets the
    // hints the pointer gets: for the selected node when the focus comes to
    // the tree, for the node an arrow reaches, and the lists' own when the
    // focus comes to them.
    void hintsFollowThePointerAndTheKeyboard() {
        Editing h;
        QStringList hints;
        for (const auto& [x, y] : {std::pair{10, 10}, {10, 20}, {10, 30}, {300, 30}}) {
            h.form->treeMouse().TreeView_MouseMove(0, 0, x, y);
            hints << h.fake.statusBar.shown;
        }
        for (TreeNode* selected : std::initializer_list<TreeNode*>{h.docs, h.game, nullptr}) {
            h.form->tree().SetSelectedItem(selected);
            h.form->treeMouse().TreeView_GotFocus();
            hints << h.fake.statusBar.shown;
        }
        h.form->treeMouse().TreeView_NodeClick(h.work);
        hints << h.fake.statusBar.shown;
        h.form->browserMouse().FileList_GotFocus();
        hints << h.fake.statusBar.shown;
        h.form->browserMouse().DirList_GotFocus();
        h.form->browserMouse().DirList_GotFocus();
        hints << h.fake.statusBar.shown;
        QCOMPARE(hints, (QStringList{HoverHelp::folder(), HoverHelp::folder(), HoverHelp::item(),
                                     HoverHelp::tree(), HoverHelp::folder(), HoverHelp::item(),
                                     HoverHelp::tree(), HoverHelp::folder(),
                                     BrowserTexts::fileListHint(), BrowserTexts::dirListHint()}));
        QCOMPARE(h.fake.statusBar.writes, 9);
    }

    // Keys do what the mouse does, on the selected node.
    void keysAndDragsActOnTheirNode() {
        Editing h;
        TreeMouse& mouse = h.form->treeMouse();
        mouse.TreeView_NodeClick(h.docs);
        mouse.TreeView_KeyDown(KeyF2, 0);
        QCOMPARE(h.fake.treeView.editing, h.docs);
        mouse.TreeView_AfterLabelEdit(u"Papers"_s);
        mouse.TreeView_KeyDown(KeyF10, 1);
        QCOMPARE(h.fake.menus.atNode, h.docs);
        mouse.TreeView_KeyDown(KeyReturn, 0);  // its path is not there: the warning
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));

        // A left press on a node and a move with that button held start one
        // drag, with the node's picture; a press on empty space starts none.
        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, 10);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 10, 14);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 10, 18);
        mouse.TreeView_MouseMove(0, 0, 10, 18);  // it ended elsewhere
        mouse.TreeView_MouseDown(ButtonLeft, 0, 500, 500);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 500, 510);
        QCOMPARE(h.fake.treeView.drags, QStringList{u"closed"_s});
        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, 30);
        mouse.TreeView_MouseUp(ButtonLeft, 0, 10, 30);
        QCOMPARE(mouse.TreeDragState(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTreeEditing)
#include "test_tree_editing.moc"
