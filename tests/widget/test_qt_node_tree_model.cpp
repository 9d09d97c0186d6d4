#include "platform/qt/NodeTreeModel.h"
#include "platform/qt/QtImageList.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

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

qint64 iconKey(const QVariant& decoration) {
    return decoration.value<QIcon>().cacheKey();
}
}  // namespace

class TestNodeTreeModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mirrorsEveryKindOfChange();
    void movesReportTheRightRows();
    void picturesFollowImageAndExpansion();
    void dropHighlightAndNotifications();
    void imageListKeysNumbersAndGrowth();
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
    add(tree, a1x, tvwFirst, "a1w", "leaf");
    QCOMPARE(shape(model), QStringLiteral("0 A(a1(a1w a1x) a2 a3) B C D"));

    QVERIFY(a1->SetParent(c));        // to another parent, with its subtree
    QVERIFY(c->SetParent(nullptr));   // within the top level, to its end
    QVERIFY(tree.Item(2)->SetParent(nullptr));  // "C" is last already: nothing moves
    QVERIFY(!a->SetParent(a));
    QCOMPARE(shape(model), QStringLiteral("0 A(a2 a3) B D C(a1(a1w a1x))"));
    QVERIFY(tree.First()->SetParent(a));  // "0" from the top level down into A
    QVERIFY(a1x->SetParent(a1));          // last already inside its parent
    QCOMPARE(shape(model), QStringLiteral("A(a2 a3 0) B D C(a1(a1w a1x))"));

    a1->SetText(QStringLiteral("one"));
    a1->SetImage(QStringLiteral("open"));
    a1->SetExpandedImage(QStringLiteral("open"));
    a1->SetExpanded(true);
    tree.SetSelectedItem(a1x);
    tree.SetDropHighlight(a1);
    tree.Remove(c);  // a subtree holding the selected and highlighted nodes
    QCOMPARE(tree.SelectedItem(), nullptr);
    QCOMPARE(shape(model), QStringLiteral("A(a2 a3 0) B D"));

    {
        BulkTreeChange bulk(tree);
        for (int i = 0; i < 50; ++i)
            add(tree, a, tvwChild, "n");
        tree.Remove(a->Child());
    }
    QCOMPARE(model.rowCount(model.indexOf(a)), 52);
    tree.Clear();
    QCOMPARE(model.rowCount(), 0);
    add(tree, nullptr, tvwLast, "again");
    QCOMPARE(shape(model), QStringLiteral("again"));
}

void TestNodeTreeModel::movesReportTheRightRows() {
    NodeTree tree;
    QtImageList images;
    NodeTreeModel model(tree, images);
    TreeNode* a = add(tree, nullptr, tvwLast, "A");
    add(tree, nullptr, tvwLast, "B");
    TreeNode* c = add(tree, nullptr, tvwLast, "C");
    QSignalSpy moves(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    QVERIFY(a->SetParent(nullptr));  // first to last among its siblings
    QCOMPARE(moves.size(), 1);
    QCOMPARE(moves[0][1].toInt(), 0);  // source row
    QCOMPARE(moves[0][4].toInt(), 3);  // before row 3 of the old order: the end
    QVERIFY(a->SetParent(c));
    QCOMPARE(moves.size(), 2);
    QCOMPARE(moves[1][3].value<QModelIndex>(), model.indexOf(c));
    QCOMPARE(moves[1][4].toInt(), 0);
    QCOMPARE(resets.size(), 0);
    QCOMPARE(shape(model), QStringLiteral("B C(A)"));
}

void TestNodeTreeModel::picturesFollowImageAndExpansion() {
    NodeTree tree;
    QtImageList images;
    NodeTreeModel model(tree, images);
    TreeNode* folder = add(tree, nullptr, tvwLast, "F");
    add(tree, folder, tvwChild, "child", "leaf");
    TreeNode* item = add(tree, nullptr, tvwLast, "I", "leaf");
    const QModelIndex folderIndex = model.indexOf(folder);
    const qint64 closed = images.icon(1).cacheKey();
    const qint64 open = images.icon(2).cacheKey();
    const qint64 leaf = images.icon(3).cacheKey();

    QCOMPARE(iconKey(folderIndex.data(Qt::DecorationRole)), closed);
    folder->SetExpanded(true);  // no expanded image yet
    QCOMPARE(iconKey(folderIndex.data(Qt::DecorationRole)), closed);
    QSignalSpy expansions(&model, &NodeTreeModel::nodeExpandedChanged);
    QSignalSpy dataChanges(&model, &QAbstractItemModel::dataChanged);
    folder->SetExpandedImage(QStringLiteral("open"));
    QCOMPARE(iconKey(folderIndex.data(Qt::DecorationRole)), open);
    folder->SetExpanded(false);
    QCOMPARE(iconKey(folderIndex.data(Qt::DecorationRole)), closed);
    QCOMPARE(expansions.size(), 1);
    QCOMPARE(expansions[0][1].toBool(), false);
    QCOMPARE(dataChanges.size(), 2);

    const QModelIndex itemIndex = model.indexOf(item);
    QCOMPARE(iconKey(itemIndex.data(Qt::DecorationRole)), leaf);
    item->SetImage(QStringLiteral("2"));  // a number names a picture
    QCOMPARE(iconKey(itemIndex.data(Qt::DecorationRole)), open);
    item->SetImage(QStringLiteral("99"));  // one the list does not have
    QCOMPARE(iconKey(itemIndex.data(Qt::DecorationRole)), leaf);
    item->SetImage(QStringLiteral("K12345"));
    QCOMPARE(iconKey(itemIndex.data(Qt::DecorationRole)), leaf);
    QCOMPARE(itemIndex.data().toString(), QStringLiteral("I"));
}

void TestNodeTreeModel::dropHighlightAndNotifications() {
    NodeTree tree;
    QtImageList images;
    NodeTreeModel model(tree, images);
    TreeNode* a = add(tree, nullptr, tvwLast, "A");
    TreeNode* b = add(tree, nullptr, tvwLast, "B");
    QSignalSpy dataChanges(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy selections(&model, &NodeTreeModel::selectedNodeChanged);

    tree.SetDropHighlight(a);
    tree.SetDropHighlight(b);
    QCOMPARE(model.indexOf(a).data(NodeTreeModel::DropHighlightRole).toBool(), false);
    QCOMPARE(model.indexOf(b).data(NodeTreeModel::DropHighlightRole).toBool(), true);
    QVERIFY(model.indexOf(b).data(Qt::BackgroundRole).isValid());
    QVERIFY(!model.indexOf(a).data(Qt::BackgroundRole).isValid());
    QCOMPARE(dataChanges.size(), 3);  // a on, a off, b on
    QCOMPARE(dataChanges[1][0].value<QModelIndex>(), model.indexOf(a));

    tree.SetSelectedItem(a);
    b->SetTag(QStringLiteral("/tmp"));  // not shown: no repaint
    QCOMPARE(selections.size(), 1);
    QCOMPARE(dataChanges.size(), 3);
}

void TestNodeTreeModel::imageListKeysNumbersAndGrowth() {
    QtImageList images;
    QCOMPARE(images.count(), 3);
    QCOMPARE(images.indexFor(QStringLiteral("closed")), 1);
    QCOMPARE(images.indexFor(QStringLiteral("open")), 2);
    QCOMPARE(images.indexFor(QStringLiteral("leaf")), 3);
    QVERIFY(!images.icon(1).isNull());
    QVERIFY(!images.icon(3).isNull());
    QCOMPARE(images.indexFor(QStringLiteral("4")), 3);  // not there yet
    QCOMPARE(images.indexFor(QString()), 3);

    QPixmap red(16, 16);
    red.fill(Qt::red);
    QCOMPARE(images.add(QStringLiteral("K7"), QIcon(red)), 4);
    QCOMPARE(images.add(QStringLiteral("K7"), QIcon(red)), 0);  // a key is never there twice
    QCOMPARE(images.count(), 4);
    QCOMPARE(images.indexFor(QStringLiteral("4")), 4);
    QCOMPARE(images.indexFor(QStringLiteral("K7")), 4);
    QCOMPARE(images.indexFor(QStringLiteral("-1")), 3);
    QCOMPARE(images.keyAt(4), QStringLiteral("K7"));
}

QTEST_MAIN(TestNodeTreeModel)
#include "test_qt_node_tree_model.moc"
