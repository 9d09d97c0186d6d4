// The drop menu's commands: moving nodes of the tree with their subtrees,
// copying directories and files of the browser into it.
#include "FakePlatform.h"
#include "WarningsFail.h"
#include "files/PathChecks.h"
#include "icons/ItemIcons.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "tree/BrowserSelection.h"
#include "tree/DragStates.h"
#include "tree/MenuOptions.h"
#include "tree/TreeDropCommands.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A tree written as "A+(a1 B(b1))": capitals are folders, "+" expanded.
// Every node has the path /p/<label>; d1 and B carry keys.
// The drags and the browser are the fixture's own.
struct Drops : DragStates, BrowserSelection, QuickListState {
    int TreeDragState() const override { return treeDrag; }
    int DirDragState() const override { return dirDrag; }
    int FileDragState() const override { return fileDrag; }
    TreeNode* DragNode() const override { return dragged; }
    void EndDrag(DragSource) override {}
    bool DirListShowing() const override { return dirShowing; }
    QString HighlightedDirectory() const override { return directory; }
    QString HighlightedFilePath() const override { return file; }
    const QuickEntries& QuickEntriesNow() const override { return quick; }
    void RestoreQuickEntries(const QuickEntries& entries) override { quick = entries; }
    QuickEntries quick;
    int treeDrag = 0, dirDrag = 0, fileDrag = 0;
    TreeNode* dragged = nullptr;
    bool dirShowing = true;
    QString directory, file;

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
            last->SetKey(label == u"d1"_s || label == u"B"_s ? u"k-"_s + label : QString());
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
    // What a move must keep of each node: path, pictures and key.
    QStringList fields() const {
        QStringList all;
        for (TreeNode* n = tree.First(); n; n = NodeTree::NextInDocumentOrder(n))
            all << n->Text() + n->Tag() + n->Image() + n->ExpandedImage() + n->Key();
        all.sort();
        return all;
    }
    bool shows(TreeNode* n) const { return n->Selected() && tree.DropHighlight() == n; }
    // "after a2": a command of the drop menu on a target; any other command
    // is a drop on empty space.
    void choose(const QString& order) {
        tree.SetDropHighlight(node(order.section(u' ', 1, 1)));  // as the drop handler leaves it
        tree.SetSelectedItem(tree.DropHighlight());
        const QString command = order.section(u' ', 0, 0);
        command == u"after"_s    ? commands.tdAfter_Click()
        : command == u"before"_s ? commands.tdBefore_Click()
        : command == u"inside"_s ? commands.tdInside_Click()
        : command == u"cancel"_s ? commands.tdCancel_Click()
                                 : commands.AddBrowserPath(std::nullopt);
    }
    FakePlatform fake;
    NodeTree tree;
    TreeHistory history{tree, *this};
    MenuOptions options;
    PathChecks checks{fake.work, fake.clock, {}};
    ItemIcons icons{fake.images, checks, tree, fake.clock};
    TreeDropCommands commands{fake.platform(), tree, history, *this, *this, options, icons, checks};
};

const auto Start = u"A+(a1 B+(b1 C(c1)) a2) D+(d1) e(e1)"_s;
}  // namespace

class TestTreeMoves : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void treeDrops_data() {
        QTest::addColumn<QString>("move");  // the dragged node, the command and its target
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("shown");  // selected and highlighted after
        QTest::newRow("three levels before a node")
            << u"B before d1"_s << u"A+(a1 a2) D+(B+(b1 C(c1)) d1) e(e1)"_s << u"B"_s;
        QTest::newRow("item with a child of its own")
            << u"e after a1"_s << u"A+(a1 e(e1) B+(b1 C(c1)) a2) D+(d1)"_s << u"e"_s;
        QTest::newRow("item after a later sibling")
            << u"a1 after a2"_s << u"A+(B+(b1 C(c1)) a2 a1) D+(d1) e(e1)"_s << u"a1"_s;
        QTest::newRow("last child out")
            << u"d1 before A"_s << u"d1 A+(a1 B+(b1 C(c1)) a2) D e(e1)"_s << u"d1"_s;
        QTest::newRow("inside") << u"B inside D"_s << u"A+(a1 a2) D+(d1 B+(b1 C(c1))) e(e1)"_s
                                << u"B"_s;
        QTest::newRow("after its grandchild") << u"A after b1"_s << Start << u"A"_s;
        QTest::newRow("inside its descendant") << u"A inside C"_s << Start << u"C"_s;
        QTest::newRow("cancelled") << u"B cancel d1"_s << Start << u"B"_s;
        // While the menu serves a drop from outside, a command only records
        // the choice.
        QTest::newRow("from outside") << u"B after D outside"_s << Start << u"D"_s;
    }

    // Moves keep every path, picture, expanded state and key, and close a
    // folder they empty; a drop into the dragged folder's own subtree is
    // refused as illegal and changes nothing.
    void treeDrops() {
        QFETCH(QString, move);
        QFETCH(QString, shape);
        QFETCH(QString, shown);
        Drops h(Start);
        const auto fields = h.fields();
        const bool outside = move.endsWith(u" outside"_s);
        h.commands.SetExternalDropPending(outside);
        h.treeDrag = 2;
        h.fileDrag = 2;  // the tree's drag comes first
        h.dragged = h.node(move.section(u' ', 0, 0));
        h.choose(move.section(u' ', 1));
        QCOMPARE(h.shape(), shape);
        QCOMPARE(h.fields(), fields);
        QVERIFY(h.shows(h.node(shown)));
        const bool refused = shape == Start && !outside && !move.contains(u"cancel"_s);
        QCOMPARE(h.fake.messages.shown.size(), size_t(refused));
    }

    void copiesOneNode_data() {
        QTest::addColumn<QString>("named");  // as the browser names it; directories end in "/"
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("picture");
        QTest::newRow("file inside")
            << u"a.txt"_s << u"inside D"_s << u"A+(B(b1)) D+(d1 a.txt) e"_s << u"4"_s;
        QTest::newRow("file in other letter case")
            << u"A.TXT"_s << u"before e"_s << u"A+(B(b1)) D+(d1) a.txt e"_s << u"4"_s;
        QTest::newRow("directory with blanks around its name, into a closed folder")
            << u" Sub /"_s << u"inside B"_s << u"A+(B+(b1  Sub )) D+(d1) e"_s << u"closed"_s;
        QTest::newRow("the root, on empty space")
            << u"/"_s << u"none"_s << u"A+(B(b1)) D+(d1) e /"_s << u"closed"_s;
    }

    // Without the full path, one node: the entry's name, a folder for a
    // directory, an item with its own picture for a file; it is shown,
    // selected and its path, exactly, is in the label. The entry is the one
    // highlighted in its list, whatever the label showed since.
    void copiesOneNode() {
        QFETCH(QString, named);
        QFETCH(QString, order);
        QFETCH(QString, shape);
        QFETCH(QString, picture);
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkdir(u" Sub "_s) &&
                QFile(temp.filePath(u"a.txt"_s)).open(QIODevice::WriteOnly));
        Drops h(u"A+(B(b1)) D+(d1) e"_s);
        h.node(u"B"_s)->SetExpandedImage(QString());  // as copied from the browser
        h.options.SetFullPath(false);
        h.fake.images.hasIcons = true;
        h.icons.WindowShown();
        const bool directory = named.endsWith(u'/');
        const QString path =
            named.startsWith(u'/') ? named : temp.filePath(named.chopped(int(directory)));
        (directory ? h.dirDrag : h.fileDrag) = 2;
        h.dirShowing = directory;
        (directory ? h.directory : h.file) = path;
        h.fake.pathLabel.text = u" /p/e"_s;  // a node clicked since
        h.choose(order);
        QCOMPARE(h.shape(), shape);
        TreeNode* added = h.tree.SelectedItem();
        QVERIFY(h.shows(added));
        QCOMPARE(added->Image(), picture);
        QCOMPARE(h.fake.pathLabel.text,
                 u' ' + (named == u"A.TXT"_s ? temp.filePath(u"a.txt"_s) : path));
        QVERIFY(!added->Parent() || added->Parent()->ExpandedImage() == u"open"_s);
    }

    // How the file system spells the path is asked in the background:
    // unanswered, the path stays as the browser named it; a target removed
    // while the answer came takes the copy with it.
    void aCopyWaitsForThePathsSpelling() {
        QTemporaryDir temp;
        QVERIFY(QFile(temp.filePath(u"a.txt"_s)).open(QIODevice::WriteOnly));
        Drops h(u"A D"_s);
        h.options.SetFullPath(false);
        h.fileDrag = 2;
        h.dirShowing = false;
        h.file = temp.filePath(u"A.TXT"_s);
        h.fake.work.hold = true;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"does not answer"_s));
        h.choose(u"after A"_s);
        QCOMPARE(h.shape(), u"A D"_s);
        h.fake.clock.advance(PathChecks::DeadlineMs);
        QCOMPARE(h.shape(), u"A A.TXT D"_s);
        QVERIFY(h.fake.work.release(0));
        h.fake.clock.advance(PathChecks::RememberedMs);
        h.choose(u"after D"_s);
        h.tree.Remove(h.node(u"D"_s));
        QVERIFY(h.fake.work.release(0));
        QCOMPARE(h.shape(), u"A A.TXT"_s);
    }

    // With the full path, a chain of folders from the top level, whatever
    // the target, each folder with its own path. Copied again, the entry is
    // selected and nothing is added. A node whose label differs in letter
    // case is reused, but the folders below it take the path as the file
    // system spells it, blanks around a name and all.
    void copiesTheFullPathChain() {
        QTemporaryDir temp;
        const QString file = temp.filePath(u"a.txt"_s);
        QVERIFY(QFile(file).open(QIODevice::WriteOnly) && QDir(temp.path()).mkpath(u" d /Sub"_s));
        const QStringList names = temp.path().split(u'/', Qt::SkipEmptyParts);
        Drops h(u"X(x1)"_s);
        h.fileDrag = 2;
        h.dirShowing = false;
        h.file = file;
        h.choose(u"after x1"_s);
        QString chain = u"a.txt"_s;
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            chain = *name + u"+("_s + chain + u')';
        QCOMPARE(h.shape(), u"X(x1) /+("_s + chain + u')');
        TreeNode* item = h.tree.SelectedItem();
        const int count = h.tree.Count();
        h.choose(u"inside X"_s);
        QCOMPARE(h.tree.Count(), count);
        QVERIFY(h.shows(item));

        Drops g(u"R(X)"_s);
        g.tree.First()->SetText(u"/"_s);
        g.tree.First()->Child()->SetText(names[0].toUpper());
        g.dirDrag = 2;
        g.directory = temp.filePath(u" d /Sub"_s);
        g.choose(u"none"_s);
        QCOMPARE(g.tree.Count(), 3 + int(names.size()));
        QCOMPARE(g.tree.First()->Child()->Child()->Tag(), u'/' + names[0] + u'/' + names[1]);
        TreeNode* sub = g.tree.SelectedItem();
        QCOMPARE(sub->Parent()->Tag() + u'|' + sub->Tag(), temp.filePath(u" d |"_s) + g.directory);
    }

    // A chain of folders far deeper than a recursion could follow moves
    // whole, and its keys with it, with no marker left on the way up.
    void movesADeepChain() {
        Drops h(u"A Z"_s);
        h.treeDrag = 2;
        TreeNode* link = h.dragged = h.node(u"A"_s);
        for (int i = 0; i < 100000; ++i)
            link = h.tree.Add(link, tvwChild, QString(), QString::number(i), u"closed"_s);
        link->SetKey(u"deepest"_s);
        h.choose(u"after Z"_s);
        int depth = 0, keyed = 0;
        TreeNode* n = h.tree.Item(u"deepest"_s);
        for (; n->Parent(); n = n->Parent(), ++depth)
            keyed += n->Parent()->Key().isEmpty() ? 0 : 1;
        QCOMPARE(depth, 100000);
        QCOMPARE(keyed, 0);
        QCOMPARE(n, h.tree.TopLevelAt(1));
    }
};

QTEST_GUILESS_MAIN(TestTreeMoves)
#include "test_tree_moves.moc"
