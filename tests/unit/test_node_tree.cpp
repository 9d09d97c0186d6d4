#include "WarningsFail.h"
#include "model/NodeTree.h"
#include "model/PacedWalk.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Appends a child, or a top-level node for a null parent.
TreeNode* add(NodeTree& tree, TreeNode* parent, const char* text) {
    return tree.Add(parent, tvwChild, QString(), QString::fromLatin1(text), QString());
}
}  // namespace

class TestNodeTree : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // A failed add, key change or move changes nothing; a key is freed by a
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
        QVERIFY(tree.Count() == 2 && b->Key().isEmpty());
        QVERIFY(!tree.Item(QString()));  // nodes without a key share the empty one
        QCOMPARE(tree.Add(2, tvwChild, QString(), u"b1"_s, QString())->Parent(), b);
        QVERIFY(a->SetKey(u"K2"_s) && b->SetKey(u"K1"_s));
        tree.Remove(u"K1"_s);
        QVERIFY(!tree.Holds(b) && tree.Holds(a) && !tree.Holds(other.First()));
        TreeNode* a1 = tree.Add(u"K2"_s, tvwChild, u"K1"_s, u"a1"_s, QString());
        QVERIFY(a1->Parent() == a && a1->FullPath() == u"A/a1"_s);
        QVERIFY(!a->SetParent(a1) && !a->SetParent(a));  // never below itself
    }

    // A walk a few nodes at a time goes on across changes, and starts again
    // from the top when the node it was to take next is gone.
    void aPacedWalkSurvivesRemovals() {
        NodeTree tree;
        TreeNode* a = add(tree, nullptr, "A");
        add(tree, a, "a1");
        TreeNode* b = add(tree, nullptr, "B");
        TreeNode* c = add(tree, nullptr, "C");
        PacedWalk walk(tree);
        walk.Restart();
        QVERIFY(walk.Take() == a && walk.Take()->Text() == u"a1"_s);
        tree.Remove(a);
        QCOMPARE(walk.Take(), b);  // a1 went first, but b was next
        tree.Remove(c);
        QCOMPARE(walk.Take(), b);  // from the top again
        QVERIFY(!walk.Take() && walk.Done());
    }

    // Random adds, moves and removals, checked against a list in creation
    // order (Index), now and then within a round (the counter sums new
    // slots in runs) and wholly after it. Every round grows the forest and
    // then cuts it back hard, so the index counter compacts its slots.
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
                if (step % 50 == 0 && !created.empty()) {
                    const int i = random.bounded(int(created.size()));
                    QVERIFY(created[i]->Index() == i + 1 && tree.Item(i + 1) == created[i]);
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
