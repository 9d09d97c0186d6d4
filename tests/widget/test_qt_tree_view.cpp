#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/NodeTreeModel.h"
#include "platform/qt/NodeTreeView.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/QtTreeView.h"
#include "platform/qt/TwipsScale.h"
#include "tree/EnsureVisible.h"

#include <QDragEnterEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown tree view whose tree holds Folder (child1, child2 (deep)), Item.
struct Fixture {
    NodeTree tree;
    QtImageList images;
    RecordingEvents events;
    QtTreeView port{images};
    NodeTreeView widget;
    NodeTreeView* view = &widget;
    QWidget* viewport = view->viewport();
    TreeNode* folder = add(nullptr, tvwLast, "Folder", "closed");
    TreeNode* child1 = add(folder, tvwChild, "child1", "leaf");
    TreeNode* child2 = add(folder, tvwChild, "child2", "closed");
    TreeNode* deep = add(child2, tvwChild, "deep", "leaf");
    TreeNode* item = add(nullptr, tvwLast, "Item", "leaf");
    NodeTreeModel& model = bound();

    NodeTreeModel& bound() {
        port.attach(&tree, &events, &events, &events);
        port.bind(view);
        widget.resize(300, 200);
        widget.show();
        if (!QTest::qWaitForWindowExposed(&widget))
            qFatal("the tree view is not shown");
        return *port.model();
    }
    TreeNode* add(TreeNode* relative, Relationship placement, const char* text, const char* image) {
        return tree.Add(relative, placement, QString(), QLatin1String(text), QLatin1String(image));
    }
    QModelIndex index(TreeNode* node) const { return model.indexOf(node); }
    bool shownExpanded(TreeNode* node) const { return view->isExpanded(index(node)); }
    // The label editor now open; closed ones linger until deleted later.
    QLineEdit* openEditor() const {
        for (QLineEdit* editor : view->findChildren<QLineEdit*>()) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    QModelIndexList shownSelection() const { return view->selectionModel()->selectedIndexes(); }
    QPoint onLabel(TreeNode* node) const { return view->labelRect(index(node)).center(); }
    QPoint onBlank(TreeNode* node) const {
        return {viewport->width() - 3, view->visualRect(index(node)).center().y()};
    }
    QPoint onBranchMark(TreeNode* node) const {
        const QRect row = view->visualRect(index(node));
        return {row.left() - view->indentation() / 2, row.center().y()};
    }
    void click(QPoint where, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(viewport, button, {}, where);
    }
    TreeNode* hitTest(QPoint pixels) const {
        const double tpp = TwipsScale::of(view).twipsPerPixel();
        return port.HitTest(float(pixels.x() * tpp), float(pixels.y() * tpp));
    }
    // A point as the logic hears it, in twips: "x y".
    QString twips(QPoint pixels) const {
        const double tpp = TwipsScale::of(view).twipsPerPixel();
        return u"%1 %2"_s.arg(float(pixels.x() * tpp)).arg(float(pixels.y() * tpp));
    }
    // An entry, a move and a drop of the data at the point (Shift held, for
    // which a file manager proposes a move): how many were taken as a copy.
    int dragAndDrop(QMimeData* data, QPoint where, Qt::DropActions actions) {
        QDragEnterEvent enter(where, actions, data, Qt::LeftButton, Qt::ShiftModifier);
        QDragMoveEvent move(where, actions, data, Qt::LeftButton, Qt::ShiftModifier);
        QDropEvent drop(where, actions, data, Qt::LeftButton, Qt::ShiftModifier);
        int copies = 0;
        for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
            QCoreApplication::sendEvent(viewport, event);
            copies += event->isAccepted() && event->dropAction() == Qt::CopyAction;
        }
        return copies;
    }
};
}  // namespace

class TestTreeView : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void hitTestFindsANodeOnlyOnItsPictureAndLabel();
    void labelsAreEditedInPlaceAndTheLogicDecides();
    void pressesClicksAndDoubleClicks();
    void userExpansionAndKeysReachTheLogicOnce();
    void changesByTheLogicShowWithoutEchoing();
    void ownDragsAreReportedAndTheDropAfterTheDrag();
    void desktopDragsOfferLocalFilesToCopy_data();
    void desktopDragsOfferLocalFilesToCopy();
};

// Beside a short label, in the indentation before a nested node and below
// the rows there is no node; after scrolling, the points follow the rows.
// The selection shows exactly what is hit.
void TestTreeView::hitTestFindsANodeOnlyOnItsPictureAndLabel() {
    Fixture f;
    EnsureVisible(f.deep, f.port);
    const QRect label = f.view->labelRect(f.index(f.item));
    const QRect nested = f.view->labelRect(f.index(f.deep));
    const QPoint beside(label.right() + 4, label.center().y());
    const QPoint indentation(nested.left() - 4, nested.center().y());
    QCOMPARE(f.hitTest(label.center()), f.item);
    QCOMPARE(f.hitTest(QPoint(label.left() + 2, label.center().y())), f.item);  // the picture
    for (const QPoint& none :
         {beside, indentation, QPoint(label.center().x(), label.bottom() + 10)})
        QCOMPARE(f.hitTest(none), nullptr);
    f.tree.SetSelectedItem(f.item);
    const QImage before = f.viewport->grab().toImage();
    QVERIFY(before.pixel(label.right() - 1, label.center().y()) != before.pixel(beside));
    f.tree.SetSelectedItem(f.deep);
    QCOMPARE(f.viewport->grab().toImage().pixel(indentation), before.pixel(indentation));
    for (int i = 0; i < 40; ++i)
        f.add(nullptr, tvwLast, "more", "leaf");
    TreeNode* last = f.add(nullptr, tvwLast, "last", "leaf");
    f.port.ScrollTo(last);
    QCOMPARE(f.hitTest(f.onLabel(last)), last);
}

// The editor opens on the label; what is typed, or Escape, goes to the
// logic, and the tree changes only when the logic says so.
void TestTreeView::labelsAreEditedInPlaceAndTheLogicDecides() {
    Fixture f;
    f.port.StartLabelEdit(f.item);
    QCOMPARE(f.openEditor()->text(), u"Item"_s);
    f.openEditor()->selectAll();
    QTest::keyClicks(f.openEditor(), u"Music"_s);
    QTest::keyClick(f.openEditor(), Qt::Key_Return);
    QTRY_COMPARE(f.events.only(u"After"_s), QStringList{u"AfterLabelEdit Music"_s});
    QCOMPARE(f.item->Text(), u"Item"_s);
    f.port.StartLabelEdit(f.folder);
    QTest::keyClick(f.openEditor(), Qt::Key_Escape);
    QCOMPARE(f.events.only(u"After"_s).last(), u"AfterLabelEdit (escape)"_s);
    // Tab ends the edit as Return does; the view must not go on to edit the
    // next node behind the logic's back.
    f.folder->SetExpanded(true);
    f.port.StartLabelEdit(f.child1);
    QTest::keyClick(f.openEditor(), Qt::Key_Tab);
    QCOMPARE(f.events.only(u"After"_s).last(), u"AfterLabelEdit child1"_s);
    QCOMPARE(f.openEditor(), nullptr);
    f.view->setFocus();
    QTest::keyClick(f.view, Qt::Key_F10, Qt::ShiftModifier);
    QTest::keyClick(f.view, Qt::Key_F2);
    QCOMPARE(f.events.only(u"Key"_s), (QStringList{u"Key 121 1"_s, u"Key 113 0"_s}));
}

void TestTreeView::pressesClicksAndDoubleClicks() {
    Fixture f;
    f.tree.SetSelectedItem(f.item);
    const QPoint where = f.onLabel(f.folder);
    QTest::mousePress(f.viewport, Qt::RightButton, Qt::ShiftModifier, where);
    QCOMPARE(f.events.calls.value(0), u"MouseDown 2 1 "_s + f.twips(where));
    QCOMPARE(f.view->currentIndex(), f.index(f.item));  // the logic chose nothing, nor did the view
    QTest::mouseRelease(f.viewport, Qt::RightButton, {}, where);

    // As the logic does: a press selects what it hit, if anything.
    f.events.onMouseDown = [&](float x, float y) {
        if (TreeNode* hit = f.port.HitTest(x, y))
            f.tree.SetSelectedItem(hit);
    };
    f.click(f.onBlank(f.folder));
    QCOMPARE(f.shownSelection(), QModelIndexList{f.index(f.item)});
    f.click(f.onLabel(f.folder));
    QCOMPARE(f.shownSelection(), QModelIndexList{f.index(f.folder)});
    QTest::mousePress(f.viewport, Qt::LeftButton, {}, f.onLabel(f.item));  // dragged elsewhere
    QTest::mouseMove(f.viewport, f.onLabel(f.folder));
    QTest::mouseRelease(f.viewport, Qt::LeftButton, {}, f.onLabel(f.folder));
    QCOMPARE(f.shownSelection(), QModelIndexList{f.index(f.item)});
    f.click(f.onLabel(f.item), Qt::RightButton);
    QCOMPARE(f.events.only(u"Node"_s), QStringList{u"NodeClick Folder"_s});

    // The double click is the logic's alone: the view neither selects the row
    // under it nor opens the folder.
    QTest::mouseDClick(f.viewport, Qt::LeftButton, {}, f.onBlank(f.folder));
    QCOMPARE(f.shownSelection(), QModelIndexList{f.index(f.item)});
    QTest::mouseDClick(f.viewport, Qt::LeftButton, {}, f.onLabel(f.folder));
    QCOMPARE(f.events.only(u"DblClick"_s).size(), 2);
    QVERIFY(!f.shownExpanded(f.folder));
}

void TestTreeView::userExpansionAndKeysReachTheLogicOnce() {
    Fixture f;
    f.click(f.onBranchMark(f.folder));
    QVERIFY(f.folder->Expanded() && f.shownExpanded(f.folder));
    f.click(f.onBranchMark(f.folder));
    QVERIFY(!f.folder->Expanded() && !f.shownExpanded(f.folder));
    QCOMPARE(f.events.only(u"Expand"_s) + f.events.only(u"Collapse"_s),
             (QStringList{u"Expand Folder"_s, u"Collapse Folder"_s}));
    f.events.calls.clear();
    f.view->setFocus();
    f.tree.SetSelectedItem(f.folder);
    f.events.onNodeClick = [&](TreeNode* node) { f.tree.SetSelectedItem(node); };
    QTest::keyClick(f.view, Qt::Key_Right);
    QTest::keyClick(f.view, Qt::Key_Down);
    QCOMPARE(f.tree.SelectedItem(), f.child1);
    QCOMPARE(f.events.calls, (QStringList{u"Expand Folder"_s, u"NodeClick child1"_s}));

    // The view shows what the logic decided, not what the user asked for.
    f.events.followExpansion = false;
    f.events.onNodeClick = nullptr;
    f.click(f.onBranchMark(f.child2));
    QVERIFY(!f.shownExpanded(f.child2));
    QTest::keyClick(f.view, Qt::Key_Down);
    QCOMPARE(f.shownSelection(), QModelIndexList{f.index(f.child1)});

    // Rows going away move the view's current row, but that is no choice of
    // the user's: the selection stays empty and nothing is clicked.
    f.events.calls.clear();
    f.tree.Remove(f.child1);
    QCOMPARE(f.tree.SelectedItem(), nullptr);
    QVERIFY(f.events.calls.isEmpty());
}

void TestTreeView::changesByTheLogicShowWithoutEchoing() {
    Fixture f;
    f.child2->SetExpanded(true);  // under a collapsed folder
    f.folder->SetExpanded(true);
    f.tree.SetSelectedItem(f.deep);
    const auto shown = [&f] {
        return f.shownExpanded(f.folder) && f.shownExpanded(f.child2) && !f.shownExpanded(f.item) &&
               f.shownSelection() == QModelIndexList{f.index(f.deep)};
    };
    QVERIFY(shown());
    {
        BulkTreeChange bulk(f.tree);  // a reset
        f.add(f.item, tvwChild, "under item", "leaf");
    }
    QVERIFY(shown());
    QVERIFY(f.folder->SetParent(nullptr));  // to the end of the top level
    QVERIFY(f.child2->SetParent(f.item));
    QVERIFY(shown());
    f.child2->SetExpanded(false);
    f.folder->SetExpanded(false);
    QVERIFY(!f.shownExpanded(f.child2) && !f.shownExpanded(f.folder));
    f.tree.SetSelectedItem(nullptr);
    QVERIFY(f.shownSelection().isEmpty());
    EnsureVisible(f.deep, f.port);
    QVERIFY(f.shownExpanded(f.item) && f.shownExpanded(f.child2));
    QVERIFY(f.events.calls.isEmpty());

    QVERIFY(f.port.GetVisibleCount() > 2);
    f.view->resize(f.view->width(), f.view->visualRect(f.index(f.item)).height() / 2);
    QCOMPARE(f.port.GetVisibleCount(), 0);
}

// The window's own drags are taken anywhere over the tree and reported in
// twips, never as the desktop's; the drop is told once the drag is over.
void TestTreeView::ownDragsAreReportedAndTheDropAfterTheDrag() {
    Fixture f;
    const QPoint where = f.onBlank(f.item);
    const QString at = f.twips(where);
    std::unique_ptr<QMimeData> ours(ControlDrag::dataFor(DragSource::FileList));
    QCOMPARE(f.dragAndDrop(ours.get(), where, Qt::CopyAction), 3);
    QCOMPARE(f.events.only(u"Drag"_s),
             (QStringList{u"DragOver 2 "_s + at + u" 0"_s, u"DragOver 2 "_s + at + u" 2"_s}));
    QTRY_COMPARE(f.events.only(u"Drag"_s).size(), 3);
    QCOMPARE(f.events.only(u"Drag"_s).last(), u"DragDrop 2 "_s + at);
    QDragEnterEvent enter(where, Qt::CopyAction, ours.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.viewport, &enter);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(f.viewport, &leave);
    QCOMPARE(f.events.only(u"Drag"_s).last(), u"DragOver 2 "_s + at + u" 1"_s);
    QVERIFY(f.events.only(u"OLE"_s).isEmpty());
}

// The desktop's list of files reaches the logic as the local paths in it;
// what the logic refuses is ignored, so the pointer shows no drop. A taken
// drag is always a copy, and its drop is told after the drag.
void TestTreeView::desktopDragsOfferLocalFilesToCopy_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<Qt::DropActions>("actions");
    QTest::addColumn<QString>("offered");  // copy allowed, then the paths
    QTest::addColumn<bool>("taken");
    const QList<QUrl> two{QUrl::fromLocalFile(u"/etc/hosts"_s), QUrl::fromLocalFile(u"/tmp"_s)};
    const QUrl remote(u"https://example.org/a.txt"_s);
    const Qt::DropActions copy(Qt::CopyAction);
    QTest::newRow("local files") << two << (copy | Qt::MoveAction) << u"1 /etc/hosts|/tmp"_s
                                 << true;
    QTest::newRow("remote among them")
        << QList<QUrl>{remote, two[0]} << copy << u"1 /etc/hosts"_s << true;
    QTest::newRow("remote only") << QList<QUrl>{remote} << copy << u"1 "_s << false;
    QTest::newRow("text") << QList<QUrl>{} << copy << u"1 "_s << false;
    QTest::newRow("no copy") << two << Qt::DropActions(Qt::MoveAction) << u"0 /etc/hosts|/tmp"_s
                             << false;
}

void TestTreeView::desktopDragsOfferLocalFilesToCopy() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(Qt::DropActions, actions);
    QFETCH(QString, offered);
    QFETCH(bool, taken);
    Fixture f;
    QMimeData data;
    if (urls.isEmpty())
        data.setText(u"/etc/hosts"_s);
    else
        data.setUrls(urls);
    const QPoint where = f.onLabel(f.item);
    QCOMPARE(f.dragAndDrop(&data, where, actions), taken ? 3 : 0);
    const QString over = u"OLEDragOver "_s + offered + u' ' + f.twips(where);
    // Once the entry is refused, Qt tells the tree nothing more of the drag.
    QCOMPARE(f.events.only(u"OLE"_s), (taken ? QStringList{over, over} : QStringList{over}));
    if (taken) {
        QTRY_COMPARE(f.events.only(u"OLE"_s).size(), 3);
        QCOMPARE(f.events.only(u"OLE"_s).last(),
                 u"OLEDragDrop "_s + offered + u' ' + f.twips(where));
    }
    QVERIFY(f.events.only(u"Drag"_s).isEmpty());  // nor as the window's own
}

QTEST_MAIN(TestTreeView)
#include "test_qt_tree_view.moc"
