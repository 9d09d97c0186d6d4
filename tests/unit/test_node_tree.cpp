#include "WarningsFail.h"
#include "model/NodeTree.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Appends a child, or a top-level node for a null parent.
TreeNode* add(NodeTree& tree, TreeNode* parent, const char* text,
              const QString& image = QString()) {
    return tree.Add(parent, tvwChild, QString(), QString::fromLatin1(text), image);
}

// The forest in document order, children in brackets: "a(a1 a2) b".
QString shape(const NodeTree& tree) {
    QString out;
    int depth = 0;
    for (TreeNode* n = tree.First(); n; n = NodeTree::NextInDocumentOrder(n)) {
        int d = 0;
        for (TreeNode* p = n->Parent(); p; p = p->Parent())
            ++d;
        out += d > depth ? u"("_s : out.isEmpty() ? QString() : QString(depth - d, u')') + u' ';
        out += n->Text();
        depth = d;
    }
    return out + QString(depth, u')');
}
}  // namespace

class TestNodeTree : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    void placements_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<int>("relationship");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no relative") << QString() << int(tvwFirst) << u"A B(b1 b2) C N"_s;
        QTest::newRow("first in a folder") << u"b2"_s << int(tvwFirst) << u"A B(N b1 b2) C"_s;
        QTest::newRow("next") << u"b1"_s << int(tvwNext) << u"A B(b1 N b2) C"_s;
        QTest::newRow("previous") << u"B"_s << int(tvwPrevious) << u"A N B(b1 b2) C"_s;
        QTest::newRow("child") << u"B"_s << int(tvwChild) << u"A B(b1 b2 N) C"_s;
        QTest::newRow("child of a leaf") << u"b1"_s << int(tvwChild) << u"A B(b1(N) b2) C"_s;
    }

    void placements() {
        QFETCH(QString, relative);
        QFETCH(int, relationship);
        QFETCH(QString, expected);
        NodeTree tree;
        for (const QString& name : {u"A"_s, u"B"_s, u"C"_s})
            tree.Add(nullptr, tvwLast, name, name, QString());
        for (const QString& name : {u"b1"_s, u"b2"_s})
            tree.Add(u"B"_s, tvwChild, name, name, QString());
        tree.Add(tree.Item(relative), static_cast<Relationship>(relationship), QString(), u"N"_s,
                 QString());
        QCOMPARE(shape(tree), expected);
    }

    // A failed add or key change changes nothing; a key is freed by a
    // rename or a removal.
    void keysAreUniqueAndFailedAddsChangeNothing() {
        NodeTree tree, other;
        TreeNode* a = tree.Add(nullptr, tvwLast, u"K1"_s, u"A"_s, QString());
        TreeNode* b = add(tree, nullptr, "B");
        QVERIFY(!tree.Add(nullptr, tvwLast, u"K1"_s, u"X"_s, QString()));
        QVERIFY(!tree.Add(3, tvwChild, QString(), u"X"_s, QString()));
        QVERIFY(!tree.Add(u"nope"_s, tvwChild, QString(), u"X"_s, QString()));
        QVERIFY(!tree.Add(a, static_cast<Relationship>(9), QString(), u"X"_s, QString()));
        QVERIFY(!tree.Add(add(other, nullptr, "O"), tvwChild, QString(), u"X"_s, QString()));
        QVERIFY(!b->SetKey(u"K1"_s));
        QCOMPARE(shape(tree) + b->Key(), u"A B"_s);
        QVERIFY(!tree.Item(QString()));  // nodes without a key share the empty one
        QCOMPARE(tree.Add(2, tvwChild, QString(), u"b1"_s, QString())->Parent(), b);
        QVERIFY(a->SetKey(u"K2"_s) && b->SetKey(u"K1"_s));
        tree.Remove(u"K1"_s);
        QVERIFY(!tree.Holds(b) && tree.Holds(a) && !tree.Holds(other.First()));
        QVERIFY(tree.Add(u"K2"_s, tvwChild, u"K1"_s, u"a1"_s, QString())->Parent() == a);
    }

    // Pre-order over collapsed folders too, climbing two levels at a time;
    // a node is never put below itself.
    void navigationAndDocumentOrder() {
        NodeTree tree;
        TreeNode* root = add(tree, nullptr, "/", u"closed"_s);
        TreeNode* home = add(tree, root, "home");
        add(tree, add(tree, add(tree, home, "ann"), "docs"), "old");
        TreeNode* bob = add(tree, home, "bob");
        TreeNode* doc = add(tree, add(tree, nullptr, "work", u"open"_s), "doc", u"7"_s);
        QCOMPARE(shape(tree), u"/(home(ann(docs(old)) bob)) work(doc)"_s);
        QCOMPARE(bob->FullPath() + u' ' + doc->FullPath(), u"/home/bob work/doc"_s);
        QVERIFY(root->IsFolder() && !doc->IsFolder() && !bob->IsFolder());
        for (TreeNode* own : {root, home, bob})
            QVERIFY(!root->SetParent(own));
        QVERIFY(bob->SetParent(doc->Parent()));  // with its subtree, last among the new siblings
        QCOMPARE(shape(tree), u"/(home(ann(docs(old)))) work(doc bob)"_s);
    }

    // A move empties a folder from the front; the children left, and those
    // put before them or after them, keep their order and rows.
    void childrenTakenFromTheFrontKeepTheirOrder() {
        NodeTree tree;
        TreeNode* folder = add(tree, nullptr, "F");
        for (const char* name : {"a", "b", "c", "d", "e"})
            add(tree, folder, name);
        tree.Remove(folder->Child());
        tree.Remove(folder->Child());
        tree.Add(folder->Child(), tvwFirst, QString(), u"x"_s, QString());
        tree.Add(folder->Child(), tvwFirst, QString(), u"y"_s, QString());
        QCOMPARE(shape(tree), u"F(y x c d e)"_s);
        tree.Remove(folder->ChildAt(3));
        QVERIFY(folder->ChildAt(2)->SetParent(nullptr));
        QCOMPARE(shape(tree) + QString::number(folder->ChildAt(2)->Row()), u"F(y x e) c2"_s);
    }

    // Random adds, moves and removals, checked against a list in creation
    // order (Index). Every round grows the forest and then cuts it back
    // hard, so the index counter compacts its slots.
    void randomEditsKeepTheCreationOrderIndex() {
        NodeTree tree;
        std::vector<TreeNode*> created;
        QRandomGenerator random(7);
        const auto pick = [&] { return created[random.bounded(int(created.size()))]; };
        const auto remove = [&](TreeNode* victim) {
            std::erase_if(created, [victim](TreeNode* n) {
                while (n && n != victim)
                    n = n->Parent();
                return n == victim;
            });
            tree.Remove(victim);
        };
        for (int round = 0; round < 6; ++round) {
            for (int step = 0; step < 2000; ++step) {
                const int action = random.bounded(10);
                if (created.empty() || action < 7) {
                    TreeNode* relative =
                        created.empty() || random.bounded(8) == 0 ? nullptr : pick();
                    created.push_back(tree.Add(relative,
                                               static_cast<Relationship>(random.bounded(5)),
                                               QString(), QString::number(step), QString()));
                } else if (action < 9) {
                    pick()->SetParent(random.bounded(4) ? pick() : nullptr);
                } else {
                    remove(pick());
                }
            }
            while (created.size() > 300)
                remove(pick());
            QCOMPARE(tree.Count(), int(created.size()));
            for (int i = 0; i < int(created.size()); ++i)
                QVERIFY(created[i]->Index() == i + 1 && tree.Item(i + 1) == created[i]);
        }
    }
};

QTEST_GUILESS_MAIN(TestNodeTree)
#include "test_node_tree.moc"
