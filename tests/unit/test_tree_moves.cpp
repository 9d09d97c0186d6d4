// The drop menu's commands: moving nodes of the tree with their subtrees,
// copying directories and files of the browser into it.
#include "FakePlatform.h"
#include "WarningsFail.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "tree/BrowserSelection.h"
#include "tree/DragStates.h"
#include "tree/MenuOptions.h"
#include "tree/TreeDropCommands.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
class Drags : public DragStates {
public:
    int TreeDragState() const override { return tree; }
    int DirDragState() const override { return dir; }
    int FileDragState() const override { return file; }
    TreeNode* DragNode() const override { return node; }
    void EndDrag(DragSource) override {}
    int tree = 0, dir = 0, file = 0;
    TreeNode* node = nullptr;
};

class Browser : public BrowserSelection {
public:
    bool DirListShowing() const override { return dirShowing; }
    QString HighlightedFilePath() const override { return file; }
    bool dirShowing = true;
    QString file;
};

// Counts the resets a view would hear of.
class Resets : public NodeTreeObserver {
public:
    void nodeAboutToBeInserted(TreeNode*, int) override {}
    void nodeInserted(TreeNode*) override {}
    void nodeAboutToBeRemoved(TreeNode*) override {}
    void nodeRemoved() override {}
    void nodeAboutToMove(TreeNode*, TreeNode*, int) override {}
    void nodeMoved(TreeNode*) override {}
    void nodeChanged(TreeNode*, NodeField) override {}
    void treeAboutToBeReset() override { ++count; }
    void treeReset() override {}
    int count = 0;
};

// A tree written as "A+(a1 B(b1))": capitals are folders, "+" expanded.
// Every node has the path /p/<label>; items show picture 7, 8 expanded; a1
// and B carry keys.
struct Drops {
    explicit Drops(const QString& shape) {
        static const QRegularExpression token(u"\\w+\\+?|[()]"_s);
        std::vector<TreeNode*> parents{nullptr};
        TreeNode* last = nullptr;
        for (const QRegularExpressionMatch& m : token.globalMatch(shape)) {
            QString label = m.captured();
            if (label == u"("_s || label == u")"_s) {
                label == u"("_s ? parents.push_back(last) : parents.pop_back();
                continue;
            }
            const bool expanded = label.endsWith(u'+');
            label.remove(u'+');
            const bool folder = label[0].isUpper();
            last = tree.Add(parents.back(), parents.back() ? tvwChild : tvwLast, QString(), label,
                            folder ? u"closed"_s : u"7"_s);
            last->SetTag(u"/p/"_s + label);
            last->SetExpandedImage(folder ? u"open"_s : u"8"_s);
            last->SetExpanded(expanded);
            last->SetKey(label == u"a1"_s || label == u"B"_s ? u"k-"_s + label : QString());
        }
    }
    TreeNode* node(const QString& label) const {
        TreeNode* n = tree.First();
        while (n && n->Text() != label)
            n = NodeTree::NextInDocumentOrder(n);
        return n;
    }
    QString shape(TreeNode* first = nullptr) const {
        QStringList nodes;
        for (TreeNode* n = first ? first : tree.First(); n; n = n->Next())
            nodes << n->Text() + (n->Expanded() ? u"+"_s : QString()) +
                         (n->Child() ? u'(' + shape(n->Child()) + u')' : QString());
        return nodes.join(u' ');
    }
    // Each label with what a move must keep: path, pictures and key.
    QMap<QString, QString> fields() const {
        QMap<QString, QString> all;
        for (TreeNode* n = tree.First(); n; n = NodeTree::NextInDocumentOrder(n))
            all[n->Text()] =
                QStringList{n->Tag(), n->Image(), n->ExpandedImage(), n->Key()}.join(u'|');
        return all;
    }
    void dropOn(const QString& label) {
        tree.SetDropHighlight(node(label));  // as the drop handler leaves it
        tree.SetSelectedItem(node(label));
    }
    // A command of the drop menu by name; any other name is a drop on
    // empty space.
    void choose(const QString& command) {
        static const QMap<QString, void (DropCommands::*)()> clicks{
            {u"after"_s, &DropCommands::tdAfter_Click},
            {u"before"_s, &DropCommands::tdBefore_Click},
            {u"inside"_s, &DropCommands::tdInside_Click},
            {u"cancel"_s, &DropCommands::tdCancel_Click}};
        if (const auto click = clicks.value(command))
            (commands.*click)();
        else
            commands.AddBrowserPath(std::nullopt);
    }
    FakePlatform fake;
    NodeTree tree;
    Drags drags;
    Browser browser;
    MenuOptions options;
    ItemIcons icons{fake.images};
    TreeDropCommands commands{fake.platform(), tree, drags, browser, options, icons};
};

const auto Start = u"A+(a1 B+(b1 C(c1)) a2) D+(d1) e(e1)"_s;
}  // namespace

class TestTreeMoves : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void treeDrops_data() {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("highlight");  // selected too
        QTest::newRow("item after a later sibling")
            << u"a1"_s << u"after"_s << u"a2"_s << u"A+(B+(b1 C(c1)) a2 a1) D+(d1) e(e1)"_s
            << u"a1"_s;
        QTest::newRow("three levels before a node")
            << u"B"_s << u"before"_s << u"d1"_s << u"A+(a1 a2) D+(B+(b1 C(c1)) d1) e(e1)"_s
            << u"B"_s;
        QTest::newRow("folder after its parent")
            << u"B"_s << u"after"_s << u"A"_s << u"A+(a1 a2) B+(b1 C(c1)) D+(d1) e(e1)"_s << u"B"_s;
        QTest::newRow("last child out") << u"d1"_s << u"before"_s << u"A"_s
                                        << u"d1 A+(a1 B+(b1 C(c1)) a2) D e(e1)"_s << u"d1"_s;
        QTest::newRow("item with a child of its own")
            << u"e"_s << u"after"_s << u"a1"_s << u"A+(a1 e(e1) B+(b1 C(c1)) a2) D+(d1)"_s
            << u"e"_s;
        QTest::newRow("inside") << u"B"_s << u"inside"_s << u"D"_s
                                << u"A+(a1 a2) D+(d1 B+(b1 C(c1))) e(e1)"_s << u"B"_s;
        QTest::newRow("last child inside") << u"d1"_s << u"inside"_s << u"C"_s
                                           << u"A+(a1 B+(b1 C(c1 d1)) a2) D e(e1)"_s << u"d1"_s;
        QTest::newRow("after its grandchild") << u"A"_s << u"after"_s << u"b1"_s << Start << u"A"_s;
        QTest::newRow("before its child") << u"e"_s << u"before"_s << u"e1"_s << Start << u"e"_s;
        QTest::newRow("inside its descendant")
            << u"A"_s << u"inside"_s << u"C"_s << Start << u"C"_s;
        QTest::newRow("cancel") << u"B"_s << u"cancel"_s << u"e"_s << Start << u"B"_s;
        // While the menu serves a drop from outside, a command only records
        // the choice.
        QTest::newRow("from outside") << u"B"_s << u"after outside"_s << u"D"_s << Start << u"D"_s;
    }

    // Moves keep every label, path, picture, expanded state and key, leave
    // no marker key, and close a folder they empty; a drop into the dragged
    // folder's own subtree is refused and changes nothing.
    void treeDrops() {
        QFETCH(QString, dragged);
        QFETCH(QString, command);
        QFETCH(QString, target);
        QFETCH(QString, shape);
        QFETCH(QString, highlight);
        const bool outside = command.endsWith(u" outside"_s);
        command.remove(u" outside"_s);
        Drops h(Start);
        const auto fields = h.fields();
        h.commands.SetExternalDropPending(outside);
        h.drags.tree = 2;
        h.drags.file = 2;  // the tree's drag comes first
        h.drags.node = h.node(dragged);
        h.dropOn(target);
        Resets resets;
        h.tree.SetObserver(&resets);
        h.choose(command);
        QCOMPARE(h.shape(), shape);
        QCOMPARE(h.fields(), fields);
        QCOMPARE(h.tree.DropHighlight(), h.node(highlight));
        QCOMPARE(h.tree.SelectedItem(), h.node(highlight));
        const bool refused = shape == Start && command != u"cancel"_s && !outside;
        QCOMPARE(h.fake.messages.shown.size(), size_t(refused));
        if (refused)
            QCOMPARE(h.fake.messages.shown[0].text + u'|' + h.fake.messages.shown[0].title,
                     u"The Parent folder can't be made a child of its own.|Illegal Drop"_s);
        // A subtree re-created elsewhere is one reset for the view, not a
        // change per node, which views pay for with the rows they show.
        const bool recreated =
            shape != Start && command != u"inside"_s && (dragged[0].isUpper() || dragged == u"e"_s);
        QCOMPARE(resets.count, int(recreated));
    }

    // A browser drop cancelled: with no dragged node the highlight goes;
    // with one a move has removed, it stays on the target; a node still
    // there takes it.
    void cancellingABrowserDrop() {
        Drops h(Start);
        h.drags.dir = 2;
        h.dropOn(u"a2"_s);
        h.choose(u"cancel"_s);
        QVERIFY(!h.tree.DropHighlight());
        h.drags.tree = 2;
        h.drags.node = h.node(u"B"_s);
        h.dropOn(u"e"_s);
        h.choose(u"after"_s);
        h.drags.tree = 0;
        h.dropOn(u"a2"_s);
        h.choose(u"cancel"_s);
        QCOMPARE(h.tree.DropHighlight(), h.node(u"a2"_s));
        h.drags.node = h.node(u"D"_s);
        h.choose(u"cancel"_s);
        QVERIFY(h.node(u"D"_s)->Selected() && h.tree.DropHighlight() == h.node(u"D"_s));
    }

    void copiesOneNode_data() {
        QTest::addColumn<bool>("directory");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("named");  // as the browser names the entry
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("pictures");
        const QString tree = u"A+(B+(b1 C(c1))) D+(d1) e"_s;
        QTest::newRow("file inside") << false << u"inside"_s << u"D"_s << u"a.txt"_s
                                     << u"A+(B+(b1 C(c1))) D+(d1 a.txt) e"_s << u"4|"_s;
        QTest::newRow("file in other letter case")
            << false << u"before"_s << u"e"_s << u"A.TXT"_s << u"A+(B+(b1 C(c1))) D+(d1) a.txt e"_s
            << u"leaf|"_s;
        QTest::newRow("directory into a closed folder")
            << true << u"inside"_s << u"C"_s << u"Sub"_s << u"A+(B+(b1 C+(c1 Sub))) D+(d1) e"_s
            << u"closed|"_s;
        QTest::newRow("the root, on empty space")
            << true << u"none"_s << QString() << u"/"_s << tree + u" /"_s << u"closed|"_s;
        QTest::newRow("an empty path label")
            << true << u"inside"_s << u"D"_s << QString() << tree << QString();
    }

    // Without the full path, one node: the entry's name, a folder for a
    // directory, an item with its own picture for a file; it is shown,
    // selected and its path is in the label.
    void copiesOneNode() {
        QFETCH(bool, directory);
        QFETCH(QString, command);
        QFETCH(QString, target);
        QFETCH(QString, named);
        QFETCH(QString, shape);
        QFETCH(QString, pictures);
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkdir(u"Sub"_s) &&
                QFile(temp.filePath(u"a.txt"_s)).open(QIODevice::WriteOnly));
        Drops h(u"A+(B+(b1 C(c1))) D+(d1) e"_s);
        h.node(u"C"_s)->SetExpandedImage(QString());  // as copied from the browser
        h.options.SetFullPath(false);
        h.fake.images.hasIcons = true;
        const QString path =
            named.startsWith(u'/') || named.isEmpty() ? named : temp.filePath(named);
        (directory ? h.drags.dir : h.drags.file) = 2;
        h.browser.dirShowing = directory;
        h.browser.file = path;
        h.fake.pathLabel.text = directory ? u"  "_s + path + u" "_s : u" /elsewhere"_s;
        h.dropOn(target);
        h.choose(command);
        QCOMPARE(h.shape(), shape);
        if (pictures.isEmpty())
            return;
        TreeNode* added = h.tree.SelectedItem();
        QCOMPARE(h.tree.DropHighlight(), added);
        QCOMPARE(added->Tag(), named == u"A.TXT"_s ? temp.filePath(u"a.txt"_s) : path);
        QCOMPARE(added->Image() + u'|' + added->ExpandedImage(), pictures);
        QCOMPARE(h.fake.pathLabel.text, u' ' + added->Tag());
        QCOMPARE(h.fake.treeView.scrolledTo.back(), added);
        if (TreeNode* parent = added->Parent())
            QVERIFY(parent->Expanded() && parent->ExpandedImage() == u"open"_s);
    }

    // With the full path, a chain of folders from the top level, whatever
    // the target: each folder carries its own path, the last node is the
    // entry. Copied again, the entry is selected and nothing is added. A
    // node whose label differs in letter case is reused, but the folders
    // below it take the path as the file system spells it.
    void copiesTheFullPathChain() {
        QTemporaryDir temp;
        const QString file = temp.filePath(u"a.txt"_s);
        QVERIFY(QFile(file).open(QIODevice::WriteOnly) && QDir(temp.path()).mkdir(u"Sub"_s));
        const QStringList names = temp.path().split(u'/', Qt::SkipEmptyParts);
        Drops h(u"X(x1)"_s);
        h.drags.file = 2;
        h.browser.dirShowing = false;
        h.browser.file = file;
        h.dropOn(u"x1"_s);
        h.choose(u"after"_s);
        QString chain = u"a.txt"_s;
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            chain = *name + u"+("_s + chain + u')';
        QCOMPARE(h.shape(), u"X(x1) /+("_s + chain + u')');
        TreeNode* item = h.tree.SelectedItem();
        QCOMPARE(item->Tag() + u'|' + item->Image(), file + u"|leaf"_s);
        for (TreeNode* folder = item->Parent(); folder; folder = folder->Parent())
            QCOMPARE(folder->Tag() + folder->ExpandedImage(), folder->FullPath() + u"open"_s);
        const int count = h.tree.Count();
        h.fake.pathLabel.text = u" unchanged"_s;
        h.dropOn(u"X"_s);
        h.choose(u"inside"_s);
        QCOMPARE(h.tree.Count(), count);
        QVERIFY(item->Selected() && h.tree.DropHighlight() == item);
        QCOMPARE(h.fake.pathLabel.text, u" unchanged"_s);

        Drops g{QString()};
        TreeNode* root = g.tree.Add(nullptr, tvwLast, QString(), u"/"_s, u"closed"_s);
        g.tree.Add(root, tvwChild, QString(), names[0].toUpper(), u"closed"_s);
        g.drags.dir = 2;
        g.fake.pathLabel.text = u" "_s + temp.filePath(u"Sub"_s) + u' ';
        g.choose(u"none"_s);
        QCOMPARE(g.tree.Count(), 2 + int(names.size()));
        QCOMPARE(g.tree.First()->Child()->Child()->Tag(), u'/' + names[0] + u'/' + names[1]);
        QCOMPARE(g.tree.SelectedItem()->Tag(), temp.filePath(u"Sub"_s));
    }

    // A chain of folders far deeper than a recursion could follow moves
    // whole, and its keys with it.
    void movesADeepChain() {
        Drops h(u"A Z"_s);
        h.drags.tree = 2;
        h.drags.node = h.node(u"A"_s);
        h.dropOn(u"Z"_s);
        TreeNode* link = h.drags.node;
        for (int i = 0; i < 100000; ++i)
            link = h.tree.Add(link, tvwChild, QString(), QString::number(i), u"closed"_s);
        link->SetKey(u"deepest"_s);
        h.choose(u"after"_s);
        QCOMPARE(h.tree.Count(), 100002);
        QCOMPARE(h.tree.SelectedItem(), h.tree.TopLevelAt(1));
        int depth = 0, keyed = 0;  // no marker left on the way up
        for (TreeNode* n = h.tree.Item(u"deepest"_s); n->Parent(); n = n->Parent(), ++depth)
            keyed += n->Parent()->Key().isEmpty() ? 0 : 1;
        QCOMPARE(depth, 100000);
        QCOMPARE(keyed, 0);
    }
};

QTEST_GUILESS_MAIN(TestTreeMoves)
#include "test_tree_moves.moc"
