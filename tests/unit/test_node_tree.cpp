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

    // A node appended whole is the node Add and the setters make, in the
    // same place; the observer hears of it once, complete, and the path
    // watcher of each path. Images given again and again as one string
    // stay shared after their last user has gone and another text came.
    void appendLoadedMatchesAddAndSetters() {
        struct Observer : NodeTreeObserver {
            QStringList heard;
            void nodeAboutToBeInserted(TreeNode* parent, int row) override {
                heard << u"before %1:%2"_s.arg(parent ? parent->Index() : 0).arg(row);
            }
            void nodeInserted(TreeNode* node) override {
                heard << u"inserted %1 %2 %3"_s.arg(node->Index()).arg(node->Text(), node->Image());
            }
            void nodeAboutToBeRemoved(TreeNode*) override { heard << u"remove"_s; }
            void nodeRemoved() override {}
            void nodeAboutToMove(TreeNode*, TreeNode*, int) override { heard << u"move"_s; }
            void nodeMoved(TreeNode*) override {}
            void nodeChanged(TreeNode*, NodeField) override { heard << u"changed"_s; }
            void treeAboutToBeReset() override {}
            void treeReset() override {}
        } observer;
        NodeTree stepwise, whole, other;
        whole.SetObserver(&observer);
        QStringList watched;
        whole.SetPathWatcher([&watched](TreeNode* node) { watched << node->Tag(); });
        const QString icon = u"?7"_s;
        struct Row {
            int parent;  // 1-based Index, 0 for the top level
            const char* text;
            const char* tag;
            QString image, expandedImage;
            bool expanded;
        };
        const Row rows[] = {{0, "Work", "", u"closed"_s, u"open"_s, true},
                            {1, "a", "/a", icon, QString(), false},
                            {1, "", "/b", u"leaf"_s, u"3"_s, false},
                            {0, "Caf\xC3\xA9", "", u"open"_s, u"open"_s, false},
                            {4, "c", "/c", icon, u"weird"_s, true}};
        for (const Row& row : rows) {
            TreeNode* node =
                stepwise.Add(stepwise.Item(row.parent), row.parent ? tvwChild : tvwLast, QString(),
                             QString(), row.image);
            node->SetTextAndTagUtf8(row.text, row.tag);
            node->SetExpandedImage(row.expandedImage);
            node->SetExpanded(row.expanded);
            QVERIFY(whole.AppendLoaded(whole.Item(row.parent), row.text, row.tag, row.image,
                                       row.expandedImage, row.expanded));
        }
        // The icon's last users go, and another text takes its number.
        for (NodeTree* tree : {&whole, &stepwise}) {
            tree->Remove(tree->Item(5));
            tree->Remove(tree->Item(2));
        }
        QVERIFY(whole.AppendLoaded(nullptr, "d", "", u"?8"_s, QString(), false));
        stepwise.Add(nullptr, tvwLast, QString(), u"d"_s, u"?8"_s);
        QVERIFY(whole.AppendLoaded(nullptr, "again", "", icon, QString(), false));
        stepwise.Add(nullptr, tvwLast, QString(), u"again"_s, icon);
        QCOMPARE(whole.Count(), stepwise.Count());
        for (int i = 1; i <= whole.Count(); ++i) {
            const TreeNode* a = whole.Item(i);
            const TreeNode* b = stepwise.Item(i);
            QCOMPARE(a->Text(), b->Text());
            QCOMPARE(a->Tag(), b->Tag());
            QCOMPARE(a->Image(), b->Image());
            QCOMPARE(a->ExpandedImage(), b->ExpandedImage());
            QCOMPARE(a->Expanded(), b->Expanded());
            QCOMPARE(a->IsFolder(), b->IsFolder());
            QCOMPARE(a->Parent() ? a->Parent()->Index() : 0,
                     b->Parent() ? b->Parent()->Index() : 0);
            QCOMPARE(a->Row(), b->Row());
        }
        QCOMPARE(observer.heard,
                 (QStringList{u"before 0:0"_s, u"inserted 1 Work closed"_s, u"before 1:0"_s,
                              u"inserted 2 a ?7"_s, u"before 1:1"_s, u"inserted 3  leaf"_s,
                              u"before 0:1"_s, u"inserted 4 Caf\u00e9 open"_s, u"before 4:0"_s,
                              u"inserted 5 c ?7"_s, u"remove"_s, u"remove"_s, u"before 0:2"_s,
                              u"inserted 4 d ?8"_s, u"before 0:3"_s, u"inserted 5 again ?7"_s}));
        QCOMPARE(watched, (QStringList{u"/a"_s, u"/b"_s, u"/c"_s}));
        QVERIFY(!other.AppendLoaded(whole.First(), "x", "", icon, QString(), false));
        QCOMPARE(other.Count(), 0);
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
