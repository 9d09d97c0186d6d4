// The tree's menu, new nodes and their labels, delete, rename, modify path,
// the hints, the keys and the start of a drag.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "tree/HoverHelp.h"
#include "tree/TreeMenu.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Id = TreeMenuId;

namespace {
// A shown window whose tree holds Work (Docs (Deep)) and Game; each node is
// hit at its own point, and empty space at (500, 500).
struct Editing : FormHarness {
    Editing() {
        loadAndShow();
        work = node(nullptr, "Work", "closed", 10);
        docs = node(work, "Docs", "closed", 20);
        deep = node(docs, "Deep", "leaf", 30);
        game = node(nullptr, "Game", "leaf", 40);
    }
    TreeNode* node(TreeNode* parent, const char* text, const char* image, float y) {
        TreeNode* const top = nullptr;
        TreeNode* n = form->tree().Add(parent ? parent : top, parent ? tvwChild : tvwLast,
                                       QString(), QLatin1String(text), QLatin1String(image));
        n->SetTag(u"/p/"_s + QLatin1String(text));
        fake.treeView.hits[{10, y}] = n;
        return n;
    }
    float yOf(TreeNode* n) const {
        for (const auto& [point, hit] : fake.treeView.hits)
            if (hit == n)
                return point.second;
        return 500;
    }
    // A right press on the node (null: empty space), choosing an entry.
    void menu(TreeNode* n, Id choice = Id::tvCancel) {
        fake.menus.choose(choice);
        form->treeMouse().TreeView_MouseDown(ButtonRight, 0, n ? 10 : 500, n ? yOf(n) : 500);
    }
    MenuEntry entry(Id id) const {
        const MenuEntry* found = fake.menus.lastEntry(id);
        return found ? *found : MenuEntry();
    }
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
};
}  // namespace

class TestTreeEditing : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Which entries a right press offers, and their captions, by what the
    // press was on. Enabled: Inside, First, Before, After, Last | Modify,
    // Rename | Add to and Remove from Quick List, Delete.
    void theMenuFitsWhatWasPressed_data() {
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("word");
        QTest::newRow("folder") << u"folder"_s << u"+++++ ++ +-+"_s << u" The Selected Folder"_s;
        QTest::newRow("item") << u"item"_s << u"-++++ ++ +-+"_s << u" The Selected Item"_s;
        QTest::newRow("empty space") << u"nothing"_s << u"-+--- -- ---"_s << QString();
        QTest::newRow("in the quick list")
            << u"listed"_s << u"-++++ ++ -++"_s << u" The Selected Item"_s;
        QTest::newRow("quick list full")
            << u"full"_s << u"-++++ ++ --+"_s << u" The Selected Item"_s;
    }

    void theMenuFitsWhatWasPressed() {
        QFETCH(QString, on);
        QFETCH(QString, enabled);
        QFETCH(QString, word);
        Editing h;
        if (on == u"listed"_s) {
            h.form->tree().SetSelectedItem(h.game);
            h.form->tray().tvAddQuickList_Click();
        }
        for (int i = 0; on == u"full"_s && i < 64; ++i)
            h.form->tray().Quick().Add(QString::number(i), u"/x"_s);
        const QString pathBefore = h.fake.pathLabel.text;
        h.menu(on == u"folder"_s ? h.docs : on == u"nothing"_s ? nullptr : h.game);
        const Id ids[] = {Id::tvNewFolderInside, Id::tvNewFolderFirst, Id::tvNewFolderBefore,
                          Id::tvNewFolderAfter,  Id::tvNewFolderLast,  Id::tvModify,
                          Id::tvRename,          Id::tvAddQuickList,   Id::tvRmvQuickList,
                          Id::tvDelete};
        QString shown;
        for (const Id id : ids) {
            if (id == Id::tvModify || id == Id::tvAddQuickList)
                shown += u' ';
            shown += h.entry(id).enabled ? u'+' : u'-';
        }
        QCOMPARE(shown, enabled);
        // Each item entry is its folder twin.
        const QStringList captions{u"Inside"_s + word, u"At the begining"_s, u"Before"_s + word,
                                   u"After"_s + word, u"At the Last Position"_s};
        for (int i = 0; i < 5; ++i) {
            const MenuEntry item = h.entry(Id(int(Id::tvNewItemInside) + i));
            QCOMPARE(h.entry(ids[i]).caption + item.caption, captions[i] + captions[i]);
            QCOMPARE(item.enabled, h.entry(ids[i]).enabled);
        }
        if (on == u"nothing"_s)  // empty space keeps the selection and the label
            QCOMPARE(h.fake.pathLabel.text, pathBefore);
        QVERIFY(h.entry(Id::tvAutoHide).checked && h.entry(Id::tvFullPath).checked);
    }

    // Where each "New" entry puts the node, from the node pressed; none
    // selected means the end of the top level.
    void newNodesGoWhereTheirEntrySays_data() {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("shape");
        QTest::newRow("first, three levels deep")
            << u"Deep"_s << int(Id::tvNewFolderFirst) << u"New Node Work .Docs ..Deep Game"_s;
        QTest::newRow("last, among its siblings")
            << u"Deep"_s << int(Id::tvNewItemLast) << u"Work .Docs ..Deep ..New Node Game"_s;
        QTest::newRow("inside a folder")
            << u"Work"_s << int(Id::tvNewFolderInside) << u"Work .Docs ..Deep .New Node Game"_s;
        QTest::newRow("before") << u"Game"_s << int(Id::tvNewItemBefore)
                                << u"Work .Docs ..Deep New Node Game"_s;
        QTest::newRow("after") << u"Docs"_s << int(Id::tvNewFolderAfter)
                               << u"Work .Docs ..Deep .New Node Game"_s;
        QTest::newRow("nothing selected")
            << QString() << int(Id::tvNewFolderFirst) << u"Work .Docs ..Deep Game New Node"_s;
    }

    void newNodesGoWhereTheirEntrySays() {
        QFETCH(QString, pressed);
        QFETCH(int, entry);
        QFETCH(QString, shape);
        Editing h;
        TreeNode* node = nullptr;
        for (TreeNode* n : {h.work, h.docs, h.deep, h.game})
            node = n->Text() == pressed ? n : node;
        h.form->tree().SetSelectedItem(nullptr);
        h.menu(node, Id(entry));
        QCOMPARE(h.shape(), shape);
        TreeNode* added = h.form->tree().SelectedItem();
        QCOMPARE(h.form->tree().DropHighlight(), added);
        QCOMPARE(h.fake.treeView.editing, added);  // its label open for typing
        QCOMPARE(h.fake.pathLabel.text, u" "_s);
        const bool item = entry >= int(Id::tvNewItemInside);
        QCOMPARE(added->Image() + u'|' + added->ExpandedImage(),
                 item ? u"leaf|"_s : u"closed|open"_s);
        if (TreeNode* parent = added->Parent())
            QVERIFY(parent->Expanded() && parent->ExpandedImage() == u"open"_s);
    }

    // A blank label is refused and keeps the old one; the next press opens
    // the editor again and does nothing else. An accepted label, as typed,
    // carries its quick-list entry along.
    void labelsAreNeverBlank() {
        Editing h;
        h.form->tree().SetSelectedItem(h.game);
        h.form->tray().tvAddQuickList_Click();
        h.menu(h.game, Id::tvRename);
        h.form->settings().SaveSettings();
        h.form->treeMouse().TreeView_AfterLabelEdit(u"   "_s);
        QCOMPARE(h.game->Text(), u"Game"_s);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QCOMPARE(h.fake.messages.shown[0].text + u'|' + h.fake.messages.shown[0].title,
                 u"Entry can not be blank.|Entry Error"_s);
        QVERIFY(!h.form->settings().SettingsDirty());
        h.fake.treeView.editing = nullptr;
        const size_t menus = h.fake.menus.shown.size();
        h.menu(h.work);  // reopens the editor: no menu, no selection
        QCOMPARE(h.fake.treeView.editing, h.game);
        QCOMPARE(h.fake.menus.shown.size(), menus);
        QVERIFY(h.game->Selected());
        h.form->treeMouse().TreeView_AfterLabelEdit(u" Games "_s);
        QCOMPARE(h.game->Text(), u" Games "_s);
        QCOMPARE(h.form->tray().Quick().Entries().at(0).caption, u" Games "_s);
        QVERIFY(h.form->settings().SettingsDirty());
        h.form->treeMouse().TreeView_AfterLabelEdit(std::nullopt);  // Escape changes nothing
        QCOMPARE(h.game->Text(), u" Games "_s);
    }

    // Deleting takes the subtree and the node's own quick-list entry; the
    // label shows the neighbour: the previous sibling, else the next (closed
    // when it has no children), else the parent, else nothing.
    void deletingShowsTheNeighbour() {
        Editing h;
        for (TreeNode* n : {h.docs, h.deep}) {
            h.form->tree().SetSelectedItem(n);
            h.form->tray().tvAddQuickList_Click();
        }
        TreeNode* music = h.node(h.work, "Music", "leaf", 50);
        TreeNode* film = h.node(nullptr, "Film", "leaf", 60);
        music->SetExpanded(true);
        h.menu(h.game, Id::tvDelete);  // between two: the previous one shows
        QCOMPARE(h.fake.pathLabel.text, u" /p/Work"_s);
        h.menu(h.docs, Id::tvDelete);  // a first child: the next one shows
        QCOMPARE(h.shape(), u"Work .Music Film"_s);
        QCOMPARE(h.fake.pathLabel.text, u" /p/Music"_s);
        QVERIFY(!music->Expanded());
        QCOMPARE(h.form->tray().Quick().Entries().at(0).caption, u"Deep"_s);  // inside: kept
        h.menu(music, Id::tvDelete);  // an only child: its folder shows
        QCOMPARE(h.fake.pathLabel.text, u" /p/Work"_s);
        h.form->treeMouse().TreeView_KeyDown(KeyDelete, 0);  // Work, by the key
        h.menu(film, Id::tvDelete);  // the only top-level node: nothing shows
        QCOMPARE(h.shape(), QString());
        QCOMPARE(h.fake.pathLabel.text, QString());
        QVERIFY(h.form->settings().SettingsDirty());
    }

    // "Modify Path" points the node at the browser's highlighted directory,
    // and its quick-list entry follows; its label does not.
    void modifyPathCarriesTheQuickListEntry() {
        Editing h;
        h.form->tree().SetSelectedItem(h.game);
        h.form->tray().tvAddQuickList_Click();
        h.form->browser().PointAt(QDir::rootPath());
        h.menu(h.game, Id::tvModify);
        QCOMPARE(h.game->Tag(), u"/"_s);
        QCOMPARE(h.fake.pathLabel.text, u" /"_s);
        QCOMPARE(h.form->tray().Quick().Entries().at(0), (QuickEntry{u"Game"_s, u"/"_s}));
    }

    // The bar is written only when its hint changes.
    void hintsFollowThePointer() {
        Editing h;
        const auto move = [&h](float y) { h.form->treeMouse().TreeView_MouseMove(0, 0, 10, y); };
        move(10);
        QCOMPARE(h.fake.statusBar.shown, HoverHelp::folder());
        move(20);  // another folder: the same hint, not written again
        QCOMPARE(h.fake.statusBar.writes, 1);
        move(30);
        QCOMPARE(h.fake.statusBar.shown, HoverHelp::item());
        h.form->treeMouse().TreeView_MouseMove(0, 0, 300, 30);  // beside the label
        QCOMPARE(h.fake.statusBar.shown, HoverHelp::tree());
        h.form->opener().PathDisp_MouseMove();
        QCOMPARE(h.fake.statusBar.shown, HoverHelp::pathDisp());
        h.form->Form_MouseMove();
        QCOMPARE(h.fake.statusBar.shown, HoverHelp::window());
        QCOMPARE(h.fake.statusBar.writes, 5);
    }

    // Keys do what the mouse does, on the selected node.
    void keysActOnTheSelectedNode() {
        Editing h;
        TreeMouse& mouse = h.form->treeMouse();
        h.form->treeMouse().TreeView_NodeClick(h.docs);
        mouse.TreeView_KeyDown(KeyF2, 0);
        QCOMPARE(h.fake.treeView.editing, h.docs);
        mouse.TreeView_AfterLabelEdit(u"Papers"_s);
        mouse.TreeView_KeyDown(KeyF10, 1);
        QCOMPARE(h.fake.menus.atNode, h.docs);
        h.menu(h.docs);  // the label taken, a press opens the menu again
        QCOMPARE(h.fake.menus.shown.size(), size_t(2));
        mouse.TreeView_KeyDown(KeyReturn, 0);  // its path is not there: the warning
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
    }

    // A left press on a node and a move with that button held start one
    // drag, with the node's picture; a press on empty space starts none.
    void aDragStartsOnceFromANode() {
        Editing h;
        TreeMouse& mouse = h.form->treeMouse();
        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, 10);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 10, 14);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 10, 18);
        QCOMPARE(h.fake.treeView.drags, QStringList{u"closed"_s});
        QCOMPARE(mouse.DragNode(), h.work);
        mouse.TreeView_MouseMove(0, 0, 10, 18);  // it ended elsewhere
        QCOMPARE(mouse.TreeDragState(), 0);
        mouse.TreeView_MouseDown(ButtonLeft, 0, 500, 500);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 500, 510);
        QCOMPARE(h.fake.treeView.drags.size(), 1);
        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, 30);
        mouse.TreeView_MouseUp(ButtonLeft, 0, 10, 30);
        QCOMPARE(mouse.TreeDragState(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTreeEditing)
#include "test_tree_editing.moc"
