#include "WarningsFail.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/tree/NodeTreeModel.h"

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// The model's picture of the tree, written like "A(B C) D".
QString shape(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
    QStringList parts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const bool children = model.rowCount(index) > 0;
        parts << index.data().toString() + (children ? u'(' + shape(model, index) + u')' : u""_s);
    }
    return parts.join(QLatin1Char(' '));
}
}  // namespace

class TestNodeTreeModel : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The tester checks every signal against the data before and after it.
    void mirrorsEveryKindOfChange() {
        NodeTree tree;
        QtImageList images;
        NodeTreeModel model(tree, images);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        const auto add = [&tree](TreeNode* relative, Relationship placement, const char* text) {
            return tree.Add(relative, placement, QString(), QLatin1String(text), u"closed"_s);
        };
        TreeNode* a = add(nullptr, tvwLast, "A");
        TreeNode* c = add(a, tvwNext, "C");
        add(c, tvwPrevious, "B");
        add(a, tvwFirst, "0");
        add(a, tvwLast, "D");
        TreeNode* a1 = add(a, tvwChild, "a1");
        add(a1, tvwNext, "a2");
        TreeNode* a1w = add(add(a1, tvwChild, "a1x"), tvwFirst, "a1w");

        // A moved node keeps its index, so views keep its row, expansion and
        // selection; a move never falls back to a reset.
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        const auto moves = [&](TreeNode* node, TreeNode* parent) {
            const QPersistentModelIndex kept(model.indexOf(node));
            return node->SetParent(parent) && kept == model.indexOf(node);
        };
        QVERIFY(moves(a1, c) && moves(c, nullptr) && moves(c, nullptr) && moves(a1w, a1));
        QVERIFY(!a->SetParent(a) && moves(tree.First(), a));
        QCOMPARE(shape(model), u"A(a2 0) B D C(a1(a1x a1w))"_s);

        // Taking changes back moves a node to any row, down or up among its
        // siblings or into another parent, and puts a node back at its row.
        const auto relocates = [&](TreeNode* node, TreeNode* parent, int row) {
            const QPersistentModelIndex kept(model.indexOf(node));
            return tree.Relocate(node, parent, row) && kept == model.indexOf(node);
        };
        TreeNode* d = tree.TopLevelAt(2);
        QVERIFY(relocates(d, nullptr, 0) && relocates(d, nullptr, 2) && relocates(a1, a, 1));
        QVERIFY(!tree.Relocate(a, a1, 0));
        QCOMPARE(shape(model), u"A(a2 a1(a1x a1w) 0) B D C"_s);
        QVERIFY(relocates(a1, c, 0));
        tree.Remove(tree.InsertLoaded(a, 1, "x", "", u"leaf"_s, {}, false));
        QCOMPARE(shape(model), u"A(a2 0) B D C(a1(a1x a1w))"_s);

        tree.Remove(c);
        QCOMPARE(shape(model), u"A(a2 0) B D"_s);
        {
            BulkTreeChange bulk(tree);  // one reset for everything inside, however nested
            for (int i = 0; i < 50; ++i)
                add(a, tvwChild, "n");
            BulkTreeChange inner(tree);
            tree.Remove(a->Child());
        }
        QCOMPARE(model.rowCount(model.indexOf(a)), 51);
        QCOMPARE(resets.size(), 1);

        // A path not found greys its node out and says so in its tooltip.
        a->SetTag(u"/gone"_s);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        a->SetPathCheck(PathStatus::Missing);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(model.data(model.indexOf(a), Qt::ToolTipRole).toString(), u"Not found: /gone"_s);
        QVERIFY(model.data(model.indexOf(a), Qt::ForegroundRole).isValid());
        // A row in a closed folder is on no screen, and the view is not told:
        // it reads the row afresh when the folder opens.
        a->Child()->SetPathCheck(PathStatus::Missing);
        QCOMPARE(changes.size(), 1);
        QVERIFY(model.data(model.indexOf(a->Child()), Qt::ForegroundRole).isValid());
        a->SetExpanded(true);
        a->Child()->SetPathCheck(PathStatus::There);
        QCOMPARE(changes.size(), 3);  // the folder's picture, then the row

        // A folder shows its expanded picture only while it is expanded.
        const auto shows = [&](const char* image) {
            const QIcon shown = model.data(model.indexOf(a), Qt::DecorationRole).value<QIcon>();
            return shown.pixmap(16).toImage() ==
                   images.iconFor(QLatin1String(image)).pixmap(16).toImage();
        };
        a->SetExpandedImage(u"open"_s);
        QVERIFY(shows("open") && !shows("closed"));
        a->SetExpanded(false);
        QVERIFY(shows("closed") && !shows("open"));
    }
};

QTEST_MAIN(TestNodeTreeModel)
#include "test_qt_node_tree_model.moc"
