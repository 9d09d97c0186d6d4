#include "WarningsFail.h"
#include "platform/qt/NodeTreeModel.h"
#include "platform/qt/QtImageList.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
TreeNode* add(NodeTree& tree, TreeNode* relative, Relationship placement, const char* text,
              const char* image = "closed") {
    return tree.Add(relative, placement, QString(), QLatin1String(text), QLatin1String(image));
}

// The model's picture of the tree, written like "A(B C) D".
QString shape(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
    QStringList parts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        QString part = index.data().toString();
        if (model.rowCount(index) > 0)
            part += QLatin1Char('(') + shape(model, index) + QLatin1Char(')');
        parts << part;
    }
    return parts.join(QLatin1Char(' '));
}
}  // namespace

class TestNodeTreeModel : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void mirrorsEveryKindOfChange();
    void imageListKeysAndNumbers();
};

// The tester checks every signal against the data before and after it.
void TestNodeTreeModel::mirrorsEveryKindOfChange() {
    NodeTree tree;
    QtImageList images;
    NodeTreeModel model(tree, images);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    TreeNode* a = add(tree, nullptr, tvwLast, "A");
    TreeNode* c = add(tree, a, tvwNext, "C");
    add(tree, c, tvwPrevious, "B");
    add(tree, a, tvwFirst, "0");
    add(tree, a, tvwLast, "D");
    TreeNode* a1 = add(tree, a, tvwChild, "a1");
    add(tree, a1, tvwNext, "a3");
    add(tree, a1, tvwNext, "a2");
    TreeNode* a1x = add(tree, a1, tvwChild, "a1x", "leaf");
    TreeNode* a1w = add(tree, a1x, tvwFirst, "a1w", "leaf");
    QCOMPARE(shape(model), u"0 A(a1(a1w a1x) a2 a3) B C D"_s);

    // A moved node keeps its index, so views keep its row, expansion and
    // selection; a move never falls back to a reset.
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    const auto moves = [&](TreeNode* node, TreeNode* parent) {
        const QPersistentModelIndex kept(model.indexOf(node));
        return node->SetParent(parent) && kept == model.indexOf(node);
    };
    QVERIFY(moves(a1, c));       // to another parent, with its subtree
    QVERIFY(moves(c, nullptr));  // to the end of its own parent
    QVERIFY(moves(c, nullptr));  // last already: nothing moves
    QVERIFY(moves(a1w, a1));     // to the end of a parent below the top
    QVERIFY(!a->SetParent(a));
    QVERIFY(moves(tree.First(), a));  // from the top level down into A
    QCOMPARE(shape(model), u"A(a2 a3 0) B D C(a1(a1x a1w))"_s);
    QCOMPARE(resets.size(), 0);

    // Each real change repaints its node once; setting what is there already
    // tells nothing. The picture follows the expansion, and the node that
    // loses the selection or the drop highlight is repainted too.
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy selections(&model, &NodeTreeModel::selectedNodeChanged);
    const auto picture = [&](TreeNode* node, int image) {
        const QIcon shown = model.indexOf(node).data(Qt::DecorationRole).value<QIcon>();
        return shown.cacheKey() == images.icon(image).cacheKey();
    };
    for (int twice = 0; twice < 2; ++twice) {
        a1->SetText(u"one"_s);
        a1->SetImage(u"closed"_s);
        QVERIFY(a1->SetKey(QString()));
    }
    a1->SetExpanded(true);
    QVERIFY(picture(a1, 1));  // no expanded image yet
    a1->SetExpandedImage(u"open"_s);
    QVERIFY(picture(a1, 2));
    a1->SetExpanded(false);
    QVERIFY(picture(a1, 1));
    tree.SetDropHighlight(a1);
    tree.SetDropHighlight(a1x);
    QCOMPARE(changes.size(), 7);
    QVERIFY(!model.indexOf(a1).data(Qt::BackgroundRole).isValid());
    QVERIFY(model.indexOf(a1x).data(Qt::BackgroundRole).isValid());
    a1->SetSelected(true);
    a1x->SetSelected(true);  // at most one node is selected
    a1x->SetSelected(true);
    QCOMPARE(selections.size(), 3);
    QVERIFY(!a1->Selected());
    tree.Remove(c);  // a subtree holding the selected and highlighted nodes
    QVERIFY(!tree.SelectedItem() && !tree.DropHighlight());
    QCOMPARE(shape(model), u"A(a2 a3 0) B D"_s);

    {
        BulkTreeChange bulk(tree);  // one reset for everything inside, however nested
        for (int i = 0; i < 50; ++i)
            add(tree, a, tvwChild, "n");
        BulkTreeChange inner(tree);
        tree.Remove(a->Child());
    }
    QCOMPARE(model.rowCount(model.indexOf(a)), 52);
    QCOMPARE(resets.size(), 1);
}

void TestNodeTreeModel::imageListKeysAndNumbers() {
    QtImageList images;
    QCOMPARE(images.add(u"K7"_s, 1), 0);  // no icon was looked up under that handle
    QCOMPARE(images.count(), 3);
    // A key or a picture's number; whatever the list does not know is the leaf.
    for (const auto& [value, index] : {std::pair{"closed", 1},
                                       {"open", 2},
                                       {"leaf", 3},
                                       {"2", 2},
                                       {"4", 3},
                                       {"-1", 3},
                                       {"", 3},
                                       {"K7", 3}})
        QCOMPARE(images.indexFor(QLatin1String(value)), index);
    QCOMPARE(images.icon(99).cacheKey(), images.icon(3).cacheKey());
}

QTEST_MAIN(TestNodeTreeModel)
#include "test_qt_node_tree_model.moc"
