#include "model/NodeTree.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

#include <map>
#include <set>

namespace {

QString label(int n) {
    return QString::number(n);
}

TreeNode* addTop(NodeTree& tree, const QString& text) {
    return tree.Add(nullptr, tvwLast, QString(), text, QStringLiteral("leaf"));
}

TreeNode* addChild(TreeNode* parent, const QString& text) {
    return parent->Tree().Add(parent, tvwChild, QString(), text, QStringLiteral("closed"));
}

QStringList labelsOf(const std::vector<TreeNode*>& nodes) {
    QStringList labels;
    for (const TreeNode* node : nodes)
        labels << node->Text();
    return labels;
}

QStringList childLabels(const NodeTree& tree, const TreeNode* parent) {
    std::vector<TreeNode*> nodes;
    for (TreeNode* n = parent ? parent->Child() : tree.First(); n; n = n->Next())
        nodes.push_back(n);
    return labelsOf(nodes);
}

QStringList documentOrder(const NodeTree& tree) {
    std::vector<TreeNode*> nodes;
    for (TreeNode* n = tree.First(); n; n = NodeTree::NextInDocumentOrder(n))
        nodes.push_back(n);
    return labelsOf(nodes);
}

QStringList indexOrder(const NodeTree& tree) {
    std::vector<TreeNode*> nodes;
    for (int i = 1; i <= tree.Count(); ++i)
        nodes.push_back(tree.Item(i));
    return labelsOf(nodes);
}

// Writes every notification as a line, and keeps a copy of the forest built
// from the notifications alone, the way a view adapter must.
class RecordingObserver : public NodeTreeObserver {
public:
    QStringList log;
    std::map<const TreeNode*, std::vector<TreeNode*>> mirror;  // null: top level
    std::map<const TreeNode*, const TreeNode*> mirrorParent;

    void nodeAboutToBeInserted(TreeNode* parent, int row) override {
        log << QStringLiteral("aboutToInsert %1 %2").arg(name(parent)).arg(row);
        pending_ = {parent, row};
    }
    void nodeInserted(TreeNode* node) override {
        log << QStringLiteral("inserted %1").arg(name(node));
        auto& list = mirror[pending_.first];
        list.insert(list.begin() + pending_.second, node);
        mirrorParent[node] = pending_.first;
    }
    void nodeAboutToBeRemoved(TreeNode* node) override {
        log << QStringLiteral("aboutToRemove %1").arg(name(node));
        takeOut(node);
        std::vector<const TreeNode*> gone{node};
        while (!gone.empty()) {
            const TreeNode* n = gone.back();
            gone.pop_back();
            for (TreeNode* child : mirror[n])
                gone.push_back(child);
            mirror.erase(n);
            mirrorParent.erase(n);
        }
    }
    void nodeRemoved() override { log << QStringLiteral("removed"); }
    void nodeAboutToMove(TreeNode* node, TreeNode* newParent, int newRow) override {
        log << QStringLiteral("aboutToMove %1 %2 %3").arg(name(node), name(newParent)).arg(newRow);
        takeOut(node);
        pending_ = {newParent, newRow};
    }
    void nodeMoved(TreeNode* node) override {
        log << QStringLiteral("moved %1").arg(name(node));
        auto& list = mirror[pending_.first];
        list.insert(list.begin() + pending_.second, node);
        mirrorParent[node] = pending_.first;
    }
    void nodeChanged(TreeNode* node, NodeField field) override {
        log << QStringLiteral("changed %1 %2").arg(name(node)).arg(static_cast<int>(field));
    }
    void treeAboutToBeReset() override { log << QStringLiteral("aboutToReset"); }
    void treeReset() override { log << QStringLiteral("reset"); }

    // The mirror matches the tree row by row, and Row() agrees with ChildAt().
    bool mirrors(const NodeTree& tree) const {
        std::vector<const TreeNode*> parents{nullptr};
        std::size_t seen = 0;
        while (!parents.empty()) {
            const TreeNode* parent = parents.back();
            parents.pop_back();
            auto it = mirror.find(parent);
            const std::vector<TreeNode*> none;
            const auto& list = it == mirror.end() ? none : it->second;
            const int count = parent ? parent->Children() : tree.TopLevelCount();
            if (static_cast<int>(list.size()) != count)
                return false;
            for (int row = 0; row < count; ++row) {
                // Row() first: ChildAt() would refresh the node's row hint.
                if (list[row]->Row() != row || list[row]->Parent() != parent)
                    return false;
                TreeNode* actual = parent ? parent->ChildAt(row) : tree.TopLevelAt(row);
                if (list[row] != actual)
                    return false;
                parents.push_back(actual);
                ++seen;
            }
        }
        return static_cast<int>(seen) == tree.Count();
    }

private:
    static QString name(const TreeNode* node) { return node ? node->Text() : QStringLiteral("-"); }
    void takeOut(const TreeNode* node) {
        auto& list = mirror[mirrorParent[node]];
        list.erase(std::find(list.begin(), list.end(), node));
    }
    std::pair<TreeNode*, int> pending_{nullptr, 0};
};

}  // namespace

class TestNodeTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placementsAroundARelative_data() {
        QTest::addColumn<int>("relationship");
        QTest::addColumn<QStringList>("topLevel");
        QTest::addColumn<QStringList>("childrenOfB");
        const QStringList abc{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        const QStringList b12{QStringLiteral("b1"), QStringLiteral("b2")};
        QTest::newRow("first") << int(tvwFirst) << QStringList{QStringLiteral("N")} + abc << b12;
        QTest::newRow("last") << int(tvwLast) << abc + QStringList{QStringLiteral("N")} << b12;
        QTest::newRow("next") << int(tvwNext)
                              << QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                             QStringLiteral("N"), QStringLiteral("C")}
                              << b12;
        QTest::newRow("previous") << int(tvwPrevious)
                                  << QStringList{QStringLiteral("A"), QStringLiteral("N"),
                                                 QStringLiteral("B"), QStringLiteral("C")}
                                  << b12;
        QTest::newRow("child") << int(tvwChild) << abc << b12 + QStringList{QStringLiteral("N")};
    }

    void placementsAroundARelative() {
        QFETCH(int, relationship);
        QFETCH(QStringList, topLevel);
        QFETCH(QStringList, childrenOfB);
        NodeTree tree;
        addTop(tree, QStringLiteral("A"));
        TreeNode* b = addTop(tree, QStringLiteral("B"));
        addTop(tree, QStringLiteral("C"));
        addChild(b, QStringLiteral("b1"));
        addChild(b, QStringLiteral("b2"));

        TreeNode* added = tree.Add(b, static_cast<Relationship>(relationship), QString(),
                                   QStringLiteral("N"), QStringLiteral("leaf"));
        QVERIFY(added);
        QCOMPARE(childLabels(tree, nullptr), topLevel);
        QCOMPARE(childLabels(tree, b), childrenOfB);
        QCOMPARE(added->Index(), 6);
        QVERIFY(!added->Expanded() && !added->Selected());
        QVERIFY(added->Tag().isEmpty() && added->ExpandedImage().isEmpty());
    }

    void placementsInsideAFolderAndWithoutRelative() {
        NodeTree tree;
        TreeNode* folder = addTop(tree, QStringLiteral("F"));
        TreeNode* b = addChild(folder, QStringLiteral("b"));
        tree.Add(b, tvwFirst, QString(), QStringLiteral("a"), QString());
        tree.Add(b->Index(), tvwLast, QString(), QStringLiteral("c"), QString());
        addTop(tree, QStringLiteral("G"));
        QCOMPARE(childLabels(tree, folder), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(childLabels(tree, nullptr), (QStringList{QStringLiteral("F"), QStringLiteral("G")}));
    }

    void failedAddsChangeNothing() {
        NodeTree tree;
        RecordingObserver observer;
        TreeNode* a = tree.Add(nullptr, tvwLast, QStringLiteral("k"), QStringLiteral("A"), QString());
        tree.SetObserver(&observer);

        QVERIFY(!tree.Add(nullptr, tvwLast, QStringLiteral("k"), QStringLiteral("X"), QString()));
        QVERIFY(!tree.Add(5, tvwChild, QString(), QStringLiteral("X"), QString()));
        QVERIFY(!tree.Add(0, tvwChild, QString(), QStringLiteral("X"), QString()));
        QVERIFY(!tree.Add(QStringLiteral("nope"), tvwChild, QString(), QStringLiteral("X"), QString()));
        QVERIFY(!tree.Add(QString(), tvwChild, QString(), QStringLiteral("X"), QString()));
        QVERIFY(!tree.Add(a, static_cast<Relationship>(9), QString(), QStringLiteral("X"), QString()));
        NodeTree other;
        QVERIFY(!tree.Add(addTop(other, QStringLiteral("O")), tvwChild, QString(), QStringLiteral("X"), QString()));

        QCOMPARE(tree.Count(), 1);
        QVERIFY(observer.log.isEmpty());
        QCOMPARE(tree.Add(QStringLiteral("k"), tvwChild, QString(), QStringLiteral("B"), QString())->Parent(), a);
    }

    void keysAreUniqueButTheEmptyKeyIsShared() {
        NodeTree tree;
        TreeNode* a = addTop(tree, QStringLiteral("A"));
        TreeNode* b = addTop(tree, QStringLiteral("B"));
        addTop(tree, QStringLiteral("C"));
        QVERIFY(!tree.Item(QString()));

        QVERIFY(a->SetKey(QStringLiteral("K1")));
        QVERIFY(!b->SetKey(QStringLiteral("K1")));
        QVERIFY(b->Key().isEmpty());
        QCOMPARE(tree.Item(QStringLiteral("K1")), a);

        QVERIFY(a->SetKey(QStringLiteral("K2")));  // the old key is free again
        QVERIFY(!tree.Item(QStringLiteral("K1")));
        QVERIFY(b->SetKey(QStringLiteral("K1")));
        QVERIFY(a->SetKey(QString()));
        QVERIFY(!tree.Item(QStringLiteral("K2")));

        tree.Remove(QStringLiteral("K1"));  // removal frees the key
        QCOMPARE(tree.Count(), 2);
        QVERIFY(tree.Add(nullptr, tvwLast, QStringLiteral("K1"), QStringLiteral("D"), QString()));
    }

    void indexFollowsCreationOrderAndShiftsOnRemoval() {
        NodeTree tree;
        TreeNode* a = addTop(tree, QStringLiteral("a"));
        TreeNode* b = tree.Add(a, tvwFirst, QString(), QStringLiteral("b"), QString());
        TreeNode* b1 = addChild(b, QStringLiteral("b1"));
        addChild(b1, QStringLiteral("b11"));
        addChild(b, QStringLiteral("b2"));
        TreeNode* c = tree.Add(b, tvwFirst, QString(), QStringLiteral("c"), QString());
        QCOMPARE(indexOrder(tree), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("b1"),
                                                QStringLiteral("b11"), QStringLiteral("b2"), QStringLiteral("c")}));
        QVERIFY(!tree.Item(0));
        QVERIFY(!tree.Item(7));

        tree.Remove(b1->Index());  // b1 with b11: later indexes drop by two
        QCOMPARE(tree.Count(), 4);
        QCOMPARE(a->Index(), 1);
        QCOMPARE(b->Index(), 2);
        QCOMPARE(c->Index(), 4);
        QCOMPARE(tree.Item(4), c);
        QCOMPARE(addTop(tree, QStringLiteral("d"))->Index(), 5);
    }

    // Enough removals to make the counter compact its slots several times;
    // a plain list in creation order is the reference.
    void indexStaysRightThroughManyRemovals() {
        NodeTree tree;
        std::vector<TreeNode*> created;
        QRandomGenerator random(7);
        for (int round = 0; round < 6; ++round) {
            for (int i = 0; i < 1500; ++i) {
                TreeNode* relative = created.empty() ? nullptr : created[random.bounded(int(created.size()))];
                const auto relationship = static_cast<Relationship>(random.bounded(5));
                created.push_back(tree.Add(relative, relationship, QString(), label(i), QString()));
            }
            while (created.size() > 300) {
                TreeNode* victim = created[random.bounded(int(created.size()))];
                std::set<TreeNode*> doomed;
                for (std::vector<TreeNode*> pending{victim}; !pending.empty();) {
                    TreeNode* n = pending.back();
                    pending.pop_back();
                    doomed.insert(n);
                    for (TreeNode* child = n->Child(); child; child = child->Next())
                        pending.push_back(child);
                }
                std::erase_if(created, [&doomed](TreeNode* n) { return doomed.contains(n); });
                tree.Remove(victim);
            }
            QCOMPARE(tree.Count(), int(created.size()));
            for (int i = 0; i < int(created.size()); ++i) {
                QCOMPARE(created[i]->Index(), i + 1);
                QCOMPARE(tree.Item(i + 1), created[i]);
            }
        }
    }

    void setParentMovesTheWholeSubtreeToTheEnd() {
        NodeTree tree;
        TreeNode* a = addTop(tree, QStringLiteral("a"));
        TreeNode* b = addTop(tree, QStringLiteral("b"));
        addChild(a, QStringLiteral("a1"));
        TreeNode* a2 = addChild(a, QStringLiteral("a2"));
        addChild(a2, QStringLiteral("x"));
        addChild(a2, QStringLiteral("y"));
        addChild(b, QStringLiteral("b1"));

        QVERIFY(a2->SetParent(b));
        QCOMPARE(documentOrder(tree), (QStringList{QStringLiteral("a"), QStringLiteral("a1"), QStringLiteral("b"),
                                                   QStringLiteral("b1"), QStringLiteral("a2"), QStringLiteral("x"),
                                                   QStringLiteral("y")}));
        QCOMPARE(a2->Index(), 4);  // moving keeps the creation order

        QVERIFY(a->SetParent(nullptr));  // to the end of the top level
        QCOMPARE(childLabels(tree, nullptr), (QStringList{QStringLiteral("b"), QStringLiteral("a")}));

        const QStringList before = documentOrder(tree);
        QVERIFY(!b->SetParent(b));
        QVERIFY(!b->SetParent(a2->Child()));
        QVERIFY(!b->SetParent(a2));
        QCOMPARE(documentOrder(tree), before);
    }

    void documentOrderIsPreOrderOfTheForest() {
        NodeTree tree;
        QVERIFY(!tree.First());
        QVERIFY(documentOrder(tree).isEmpty());
        QVERIFY(!NodeTree::NextInDocumentOrder(nullptr));

        TreeNode* a = addTop(tree, QStringLiteral("a"));
        TreeNode* a1 = addChild(a, QStringLiteral("a1"));
        addChild(addChild(a1, QStringLiteral("a11")), QStringLiteral("a111"));
        addChild(a, QStringLiteral("a2"));
        addTop(tree, QStringLiteral("b"));
        a->SetExpanded(false);  // collapsed folders are walked too
        QCOMPARE(documentOrder(tree), (QStringList{QStringLiteral("a"), QStringLiteral("a1"), QStringLiteral("a11"),
                                                   QStringLiteral("a111"), QStringLiteral("a2"), QStringLiteral("b")}));
    }

    void navigationFolderTestAndFullPath() {
        NodeTree tree;
        TreeNode* root = tree.Add(nullptr, tvwLast, QString(), QStringLiteral("/"), QStringLiteral("closed"));
        TreeNode* home = addChild(root, QStringLiteral("home"));
        TreeNode* ann = addChild(home, QStringLiteral("ann"));
        TreeNode* bob = addChild(home, QStringLiteral("bob"));
        TreeNode* other = tree.Add(nullptr, tvwLast, QString(), QStringLiteral("work"), QStringLiteral("open"));
        TreeNode* doc = tree.Add(other, tvwChild, QString(), QStringLiteral("doc"), QStringLiteral("7"));

        QCOMPARE(ann->FullPath(), QStringLiteral("/home/ann"));
        QCOMPARE(root->FullPath(), QStringLiteral("/"));
        QCOMPARE(doc->FullPath(), QStringLiteral("work/doc"));

        QVERIFY(root->IsFolder());
        QVERIFY(other->IsFolder());
        QVERIFY(!doc->IsFolder());
        doc->SetImage(QStringLiteral("leaf"));
        QVERIFY(!doc->IsFolder());

        QCOMPARE(bob->Root(), root);
        QCOMPARE(other->Root(), other);
        QCOMPARE(bob->FirstSibling(), ann);
        QCOMPARE(other->FirstSibling(), root);
        QCOMPARE(ann->Next(), bob);
        QCOMPARE(bob->Previous(), ann);
        QVERIFY(!bob->Next() && !ann->Previous() && !other->Next());
        QCOMPARE(home->Child(), ann);
        QCOMPARE(home->Children(), 2);
        QCOMPARE(bob->Row(), 1);
        QVERIFY(!home->ChildAt(2) && !home->ChildAt(-1));
    }

    // Rows stay right however far earlier siblings have shifted them.
    void rowAfterSiblingsComeAndGo() {
        NodeTree tree;
        TreeNode* folder = addTop(tree, QStringLiteral("F"));
        std::vector<TreeNode*> early;
        for (int i = 0; i < 4; ++i)
            early.push_back(addChild(folder, label(i)));
        TreeNode* watched = addChild(folder, QStringLiteral("w"));
        for (int i = 0; i < 3; ++i)
            tree.Add(early.front(), tvwFirst, QString(), label(10 + i), QString());
        QCOMPARE(watched->Row(), 7);
        for (TreeNode* node : early)
            tree.Remove(node);
        QCOMPARE(watched->Row(), 3);
        QCOMPARE(watched->Previous()->Text(), label(10));
    }

    void selectionAndDropHighlight() {
        NodeTree tree;
        TreeNode* a = addTop(tree, QStringLiteral("a"));
        TreeNode* b = addTop(tree, QStringLiteral("b"));
        TreeNode* b1 = addChild(b, QStringLiteral("b1"));

        a->SetSelected(true);
        b->SetSelected(true);
        QVERIFY(!a->Selected());
        QCOMPARE(tree.SelectedItem(), b);
        tree.SetSelectedItem(a);
        QVERIFY(a->Selected() && !b->Selected());
        a->SetSelected(false);
        QVERIFY(!tree.SelectedItem());

        b1->SetSelected(true);
        tree.SetDropHighlight(b1);
        tree.Remove(b);  // removing an ancestor clears both
        QVERIFY(!tree.SelectedItem());
        QVERIFY(!tree.DropHighlight());
    }

    // A chain nested far deeper than any call stack could follow.
    void deepChainIsBuiltWalkedRemovedAndDestroyed() {
        constexpr int Depth = 100000;
        for (bool removeFirst : {true, false}) {
            auto tree = std::make_unique<NodeTree>();
            TreeNode* top = addTop(*tree, QStringLiteral("0"));
            TreeNode* deepest = top;
            for (int i = 1; i < Depth; ++i)
                deepest = tree->Add(deepest, tvwChild, QString(), label(i), QString());
            QCOMPARE(deepest->Index(), Depth);
            QCOMPARE(deepest->Root(), top);

            int walked = 0;
            for (TreeNode* n = tree->First(); n; n = NodeTree::NextInDocumentOrder(n))
                ++walked;
            QCOMPARE(walked, Depth);

            if (removeFirst) {
                tree->Remove(top->Child());
                QCOMPARE(tree->Count(), 1);
            }
            tree.reset();
        }
    }

    void observerHearsEveryChangeOnce() {
        NodeTree tree;
        RecordingObserver observer;
        tree.SetObserver(&observer);
        TreeNode* a = addTop(tree, QStringLiteral("a"));
        TreeNode* b = tree.Add(a, tvwFirst, QString(), QStringLiteral("b"), QString());
        TreeNode* a1 = addChild(a, QStringLiteral("a1"));
        QCOMPARE(observer.log, (QStringList{QStringLiteral("aboutToInsert - 0"), QStringLiteral("inserted a"),
                                            QStringLiteral("aboutToInsert - 0"), QStringLiteral("inserted b"),
                                            QStringLiteral("aboutToInsert a 0"), QStringLiteral("inserted a1")}));

        observer.log.clear();
        a->SetText(QStringLiteral("a"));  // same values: nothing to tell
        a->SetExpanded(false);
        QVERIFY(a->SetKey(QString()));
        a->SetImage(QStringLiteral("closed"));
        a->SetImage(QStringLiteral("closed"));
        b->SetSelected(true);
        a->SetSelected(true);
        a->SetSelected(true);
        tree.SetDropHighlight(a1);
        const auto changed = [](const char* node, NodeField field) {
            return QStringLiteral("changed %1 %2").arg(QLatin1String(node)).arg(static_cast<int>(field));
        };
        QCOMPARE(observer.log, (QStringList{changed("a", NodeField::Image), changed("b", NodeField::Selected),
                                            changed("b", NodeField::Selected), changed("a", NodeField::Selected),
                                            changed("a1", NodeField::DropHighlight)}));

        observer.log.clear();
        a1->SetParent(nullptr);
        a1->SetParent(nullptr);  // already last: no move
        tree.Remove(a);
        QCOMPARE(observer.log, (QStringList{QStringLiteral("aboutToMove a1 - 2"), QStringLiteral("moved a1"),
                                            QStringLiteral("aboutToRemove a"), QStringLiteral("removed")}));
        QVERIFY(observer.mirrors(tree));
    }

    // Random edits replayed from the notifications alone keep a copy equal
    // to the tree: the order of notifications and their rows are right.
    void notificationsKeepAMirrorConsistent() {
        NodeTree tree;
        RecordingObserver observer;
        tree.SetObserver(&observer);
        QRandomGenerator random(11);
        for (int step = 0; step < 3000; ++step) {
            const int count = tree.Count();
            TreeNode* some = count ? tree.Item(1 + random.bounded(count)) : nullptr;
            const int action = random.bounded(10);
            if (action < 6 || !some) {
                tree.Add(some, static_cast<Relationship>(random.bounded(5)), QString(), label(step), QString());
            } else if (action < 8) {
                TreeNode* target = random.bounded(4) ? tree.Item(1 + random.bounded(count)) : nullptr;
                some->SetParent(target);
            } else {
                tree.Remove(some);
            }
        }
        QVERIFY(tree.Count() > 50);
        QVERIFY(observer.mirrors(tree));
    }

    void bulkChangeSendsOnlyOneReset() {
        NodeTree tree;
        RecordingObserver observer;
        TreeNode* a = addTop(tree, QStringLiteral("a"));
        tree.SetObserver(&observer);
        {
            BulkTreeChange outer(tree);
            addChild(a, QStringLiteral("a1"));
            {
                BulkTreeChange inner(tree);
                a->SetText(QStringLiteral("A"));
                tree.Remove(a->Child());
            }
            addTop(tree, QStringLiteral("b"))->SetSelected(true);
        }
        QCOMPARE(observer.log, (QStringList{QStringLiteral("aboutToReset"), QStringLiteral("reset")}));

        observer.log.clear();
        tree.EndBulkChange();  // unbalanced: ignored
        tree.Clear();
        QCOMPARE(observer.log, (QStringList{QStringLiteral("aboutToReset"), QStringLiteral("reset")}));
        QCOMPARE(tree.Count(), 0);
        QVERIFY(!tree.SelectedItem());
        QCOMPARE(addTop(tree, QStringLiteral("c"))->Index(), 1);
    }
};

QTEST_APPLESS_MAIN(TestNodeTree)
#include "test_node_tree.moc"
