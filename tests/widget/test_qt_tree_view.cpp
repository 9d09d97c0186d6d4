#include "RecordingEvents.h"
#include "platform/qt/NodeTreeModel.h"
#include "platform/qt/NodeTreeView.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/QtMainWindow.h"
#include "platform/qt/TwipsScale.h"

#include <QItemSelectionModel>
#include <QTest>

namespace {
// A shown main window whose tree holds
//   Folder (child1, child2 (deep)), Item
struct Fixture {
    NodeTree tree;
    QtImageList images;
    NodeTreeModel model{tree, images};
    RecordingEvents events;
    QtMainWindow window;
    NodeTreeView* view = window.treeView();
    TreeNode* folder = add(nullptr, tvwLast, "Folder", "closed");
    TreeNode* child1 = add(folder, tvwChild, "child1", "leaf");
    TreeNode* child2 = add(folder, tvwChild, "child2", "closed");
    TreeNode* deep = add(child2, tvwChild, "deep", "leaf");
    TreeNode* item = add(nullptr, tvwLast, "Item", "leaf");

    Fixture() {
        window.attach(&events, &model);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        events.calls.clear();  // the resize of the first showing
    }
    TreeNode* add(TreeNode* relative, Relationship placement, const char* text, const char* image) {
        return tree.Add(relative, placement, QString(), QLatin1String(text), QLatin1String(image));
    }
    QModelIndex index(TreeNode* node) const { return model.indexOf(node); }
    QPoint onLabel(TreeNode* node) const { return view->labelRect(index(node)).center(); }
    QPoint onBlank(TreeNode* node) const {
        return {view->viewport()->width() - 3, view->visualRect(index(node)).center().y()};
    }
    QPoint onBranchMark(TreeNode* node) const {
        const QRect row = view->visualRect(index(node));
        return {row.left() - view->indentation() / 2, row.center().y()};
    }
    TreeNode* hitTest(QPoint pixels) const {
        const double tpp = TwipsScale::of(view).twipsPerPixel();
        return window.HitTest(float(pixels.x() * tpp), float(pixels.y() * tpp));
    }
    // Acts as the logic does on a press: select what was hit.
    void selectOnPress() {
        events.onMouseDown = [this](float x, float y) {
            if (TreeNode* hit = window.HitTest(x, y))
                tree.SetSelectedItem(hit);
        };
    }
    QWidget* viewport() const { return view->viewport(); }
};
}  // namespace

class TestTreeView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hitTestCountsOnlyPictureAndLabel();
    void pressReachesTheLogicBeforeTheView();
    void clicksAndDoubleClicks();
    void expandMarkGoesThroughTheModel();
    void keyboardSelectsThroughTheModel();
    void viewFollowsTheModel();
    void expansionSurvivesResetsAndMoves();
    void ensureVisibleAndVisibleCount();
};

void TestTreeView::hitTestCountsOnlyPictureAndLabel() {
    Fixture f;
    QCOMPARE(f.hitTest(f.onLabel(f.folder)), f.folder);
    QCOMPARE(f.hitTest(f.onLabel(f.item)), f.item);
    const QRect label = f.view->labelRect(f.index(f.item));
    QCOMPARE(f.hitTest(QPoint(label.left() + 2, label.center().y())), f.item);  // the picture
    QVERIFY(f.onBlank(f.item).x() > label.right());
    QCOMPARE(f.hitTest(f.onBlank(f.item)), nullptr);
    QCOMPARE(f.hitTest(f.onBranchMark(f.folder)), nullptr);
    const QRect lastRow = f.view->visualRect(f.index(f.item));
    QCOMPARE(f.hitTest(QPoint(label.center().x(), lastRow.bottom() + 10)), nullptr);
}

void TestTreeView::pressReachesTheLogicBeforeTheView() {
    Fixture f;
    f.tree.SetSelectedItem(f.item);
    QModelIndex currentDuringPress;
    f.events.onMouseDown = [&](float, float) { currentDuringPress = f.view->currentIndex(); };

    const QPoint where = f.onLabel(f.folder);
    QTest::mousePress(f.viewport(), Qt::RightButton, Qt::ShiftModifier, where);
    const double tpp = TwipsScale::of(f.view).twipsPerPixel();
    QCOMPARE(f.events.calls.value(0), QStringLiteral("MouseDown 2 1 %1 %2")
                                          .arg(float(where.x() * tpp))
                                          .arg(float(where.y() * tpp)));
    QCOMPARE(currentDuringPress, f.index(f.item));
    // The logic selected nothing, so the view did not either.
    QCOMPARE(f.view->currentIndex(), f.index(f.item));
    QTest::mouseRelease(f.viewport(), Qt::RightButton, {}, where);

    // A press on the blank part of a row leaves the selection alone.
    f.selectOnPress();
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onBlank(f.folder));
    QCOMPARE(f.tree.SelectedItem(), f.item);
    QCOMPARE(f.view->selectionModel()->selectedIndexes(), QModelIndexList{f.index(f.item)});
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onLabel(f.folder));
    QCOMPARE(f.view->selectionModel()->selectedIndexes(), QModelIndexList{f.index(f.folder)});
}

void TestTreeView::clicksAndDoubleClicks() {
    Fixture f;
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onLabel(f.folder));
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onBlank(f.item));
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.onLabel(f.item));
    QCOMPARE(f.events.only(QStringLiteral("NodeClick")),
             QStringList{QStringLiteral("NodeClick Folder")});

    // A press that ends on another node is no click on either.
    f.events.calls.clear();
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, f.onLabel(f.folder));
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, f.onLabel(f.item));
    QVERIFY(f.events.only(QStringLiteral("NodeClick")).isEmpty());

    // The double click is the logic's alone: the folder stays as it was.
    f.events.calls.clear();
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onLabel(f.folder));
    QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, f.onLabel(f.folder));
    QCOMPARE(f.events.only(QStringLiteral("DblClick")), QStringList{QStringLiteral("DblClick")});
    QVERIFY(!f.folder->Expanded());
    QVERIFY(!f.view->isExpanded(f.index(f.folder)));
}

void TestTreeView::expandMarkGoesThroughTheModel() {
    Fixture f;
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onBranchMark(f.folder));
    QVERIFY(f.folder->Expanded());
    QVERIFY(f.view->isExpanded(f.index(f.folder)));
    QCOMPARE(f.events.only(QStringLiteral("MouseDown")).size(), 1);
    QCOMPARE(f.events.calls.last(), QStringLiteral("Expand Folder"));

    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.onBranchMark(f.folder));
    QVERIFY(!f.folder->Expanded());
    QCOMPARE(f.events.calls.last(), QStringLiteral("Collapse Folder"));
    QCOMPARE(f.events.only(QStringLiteral("Expand")).size(), 1);
}

void TestTreeView::keyboardSelectsThroughTheModel() {
    Fixture f;
    f.view->setFocus();
    f.tree.SetSelectedItem(f.folder);
    QTest::keyClick(f.view, Qt::Key_Right);
    QVERIFY(f.folder->Expanded());
    QCOMPARE(f.events.calls, QStringList{QStringLiteral("Expand Folder")});

    QTest::keyClick(f.view, Qt::Key_Down);
    QCOMPARE(f.tree.SelectedItem(), f.child1);
    QCOMPARE(f.events.calls.last(), QStringLiteral("NodeClick child1"));

    // Rows going away move the view's current row, but that is no choice of
    // the user's: the selection stays empty and nothing is clicked.
    f.events.calls.clear();
    f.tree.Remove(f.child1);
    QCOMPARE(f.tree.SelectedItem(), nullptr);
    QVERIFY(f.events.calls.isEmpty());
}

void TestTreeView::viewFollowsTheModel() {
    Fixture f;
    f.child2->SetExpanded(true);  // under a collapsed folder
    f.folder->SetExpanded(true);
    QVERIFY(f.view->isExpanded(f.index(f.folder)));
    QVERIFY(f.view->isExpanded(f.index(f.child2)));
    f.tree.SetSelectedItem(f.deep);
    QCOMPARE(f.view->currentIndex(), f.index(f.deep));
    QCOMPARE(f.view->selectionModel()->selectedIndexes(), QModelIndexList{f.index(f.deep)});
    f.tree.SetSelectedItem(nullptr);
    QVERIFY(f.view->selectionModel()->selectedIndexes().isEmpty());
    f.folder->SetExpanded(false);
    QVERIFY(!f.view->isExpanded(f.index(f.folder)));
    QVERIFY(f.events.calls.isEmpty());  // changes made by the logic raise no events
}

void TestTreeView::expansionSurvivesResetsAndMoves() {
    Fixture f;
    f.folder->SetExpanded(true);
    f.child2->SetExpanded(true);
    f.tree.SetSelectedItem(f.deep);
    {
        BulkTreeChange bulk(f.tree);
        f.add(f.item, tvwChild, "under item", "leaf");
    }
    QVERIFY(f.view->isExpanded(f.index(f.folder)));
    QVERIFY(f.view->isExpanded(f.index(f.child2)));
    QVERIFY(!f.view->isExpanded(f.index(f.item)));
    QCOMPARE(f.view->currentIndex(), f.index(f.deep));

    QVERIFY(f.folder->SetParent(nullptr));  // to the end of the top level
    QVERIFY(f.child2->SetParent(f.item));
    QVERIFY(f.view->isExpanded(f.index(f.folder)));
    QVERIFY(f.view->isExpanded(f.index(f.child2)));
    QVERIFY(!f.view->isExpanded(f.index(f.item)));
    f.child2->SetExpanded(false);
    QVERIFY(!f.view->isExpanded(f.index(f.child2)));
    QVERIFY(f.events.calls.isEmpty());
}

void TestTreeView::ensureVisibleAndVisibleCount() {
    Fixture f;
    f.window.EnsureVisible(f.deep);
    QVERIFY(f.folder->Expanded());
    QVERIFY(f.child2->Expanded());
    QVERIFY(f.view->isExpanded(f.index(f.child2)));
    QVERIFY(f.events.calls.isEmpty());

    const int rowHeight = f.view->visualRect(f.index(f.folder)).height();
    QCOMPARE(f.window.GetVisibleCount(), f.viewport()->height() / rowHeight);
    f.view->resize(f.view->width(), rowHeight / 2);  // not one whole row
    QCOMPARE(f.window.GetVisibleCount(), 0);
}

QTEST_MAIN(TestTreeView)
#include "test_qt_tree_view.moc"
