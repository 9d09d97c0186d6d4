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
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown tree view whose tree holds Folder (child1, child2 (deep)), Item.
struct Fixture {
    NodeTree tree;
    QtImageList images;
    RecordingEvents events;
    QtTreeView port{images};
    NodeTreeView view;
    QWidget* viewport = view.viewport();
    TreeNode* folder = add(nullptr, tvwLast, "Folder");
    TreeNode* child1 = add(folder, tvwChild, "child1");
    TreeNode* child2 = add(folder, tvwChild, "child2");
    TreeNode* deep = add(child2, tvwChild, "deep");
    TreeNode* item = add(nullptr, tvwLast, "Item");
    NodeTreeModel& model = bound();

    NodeTreeModel& bound() {
        port.attach(&tree, &events, &events, &events);
        port.bind(&view);
        view.resize(300, 200);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qFatal("the tree view is not shown");
        return *port.model();
    }
    TreeNode* add(TreeNode* relative, Relationship placement, const char* text) {
        return tree.Add(relative, placement, QString(), QLatin1String(text), u"closed"_s);
    }
    QModelIndex index(TreeNode* node) const { return model.indexOf(node); }
    bool shownExpanded(TreeNode* node) const { return view.isExpanded(index(node)); }
    QModelIndexList selection() const { return view.selectionModel()->selectedIndexes(); }
    QPoint onLabel(TreeNode* node) const { return view.labelRect(index(node)).center(); }
    QPoint onBlank(TreeNode* node) const {
        return {viewport->width() - 3, view.visualRect(index(node)).center().y()};
    }
    QPoint onBranchMark(TreeNode* node) const {
        const QRect row = view.visualRect(index(node));
        return {row.left() - view.indentation() / 2, row.center().y()};
    }
    void click(QPoint where, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(viewport, button, {}, where);
    }
    QPointF inTwips(QPoint pixels) const {
        return QPointF(pixels) * TwipsScale::of(&view).twipsPerPixel();
    }
    TreeNode* hitTest(QPoint pixels) const {
        return port.HitTest(float(inTwips(pixels).x()), float(inTwips(pixels).y()));
    }
    QString twips(QPoint pixels) const {
        return u"%1 %2"_s.arg(float(inTwips(pixels).x())).arg(float(inTwips(pixels).y()));
    }
    // An entry, a move and a drop at the point (Shift held, for which a file
    // manager proposes a move): how many were taken as a copy.
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
    // Beside a short label, in the indentation before a nested node and below
    // the rows there is no node, nor is the selection shown there; after
    // scrolling, the points follow the rows.
    void hitTestFindsANodeOnlyOnItsPictureAndLabel() {
        Fixture f;
        EnsureVisible(f.deep, f.port);
        const QRect label = f.view.labelRect(f.index(f.item));
        const QRect nested = f.view.labelRect(f.index(f.deep));
        const QPoint beside(label.right() + 4, label.center().y());
        QCOMPARE(f.hitTest(QPoint(label.left() + 2, label.center().y())), f.item);  // the picture
        for (const QPoint& none : {beside, QPoint(nested.left() - 4, nested.center().y()),
                                   QPoint(label.center().x(), label.bottom() + 10)})
            QCOMPARE(f.hitTest(none), nullptr);
        f.tree.SetSelectedItem(f.item);
        const QImage shown = f.viewport->grab().toImage();
        QVERIFY(shown.pixel(label.right() - 1, label.center().y()) != shown.pixel(beside));
        for (int i = 0; i < 40; ++i)
            f.add(nullptr, tvwLast, "more");
        TreeNode* last = f.add(nullptr, tvwLast, "last");
        f.port.ScrollTo(last);
        QCOMPARE(f.hitTest(f.onLabel(last)), last);
    }

    // What is typed, or Escape, goes to the logic, and the tree changes only
    // when the logic says so. Tab ends the edit as Return does, never going on
    // to edit the next node behind the logic's back.
    void labelsAreEditedInPlaceAndTheLogicDecides() {
        Fixture f;
        const auto editor = [&f] { return f.view.findChild<QLineEdit*>(); };
        f.folder->SetExpanded(true);
        for (const auto& [node, key] : {std::pair{f.item, Qt::Key_Return},
                                        {f.folder, Qt::Key_Escape},
                                        {f.child1, Qt::Key_Tab}}) {
            f.port.StartLabelEdit(node);
            QTest::keyClick(editor(), Qt::Key_End);
            QTest::keyClicks(editor(), u"X"_s);
            QTest::keyClick(editor(), key);
            QTRY_VERIFY(!editor());
        }
        QCOMPARE(f.events.only(u"After"_s),
                 (QStringList{u"AfterLabelEdit ItemX"_s, u"AfterLabelEdit (escape)"_s,
                              u"AfterLabelEdit child1X"_s}));
        QCOMPARE(f.item->Text(), u"Item"_s);
        f.view.setFocus();
        QTest::keyClick(&f.view, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(f.events.only(u"Key"_s), QStringList{u"Key 121 1"_s});
    }

    // A press is reported and the logic alone selects: not a press on the blank,
    // a drag to another row, a right click or a double click, which never opens
    // the folder either.
    void pressesClicksAndDoubleClicks() {
        Fixture f;
        f.tree.SetSelectedItem(f.item);
        const QPoint where = f.onLabel(f.folder);
        QTest::mousePress(f.viewport, Qt::RightButton, Qt::ShiftModifier, where);
        QCOMPARE(f.events.calls.value(0), u"MouseDown 2 1 "_s + f.twips(where));
        QTest::mouseRelease(f.viewport, Qt::RightButton, {}, where);
        f.events.onMouseDown = [&](float x, float y) {
            if (TreeNode* hit = f.port.HitTest(x, y))
                f.tree.SetSelectedItem(hit);
        };
        f.click(f.onBlank(f.folder));
        QTest::mousePress(f.viewport, Qt::LeftButton, {}, f.onLabel(f.item));
        QTest::mouseMove(f.viewport, f.onLabel(f.folder));
        QTest::mouseRelease(f.viewport, Qt::LeftButton, {}, f.onLabel(f.folder));
        QTest::mouseDClick(f.viewport, Qt::LeftButton, {}, f.onBlank(f.folder));
        QCOMPARE(f.selection(), QModelIndexList{f.index(f.item)});
        f.click(f.onLabel(f.item), Qt::RightButton);
        f.click(f.onLabel(f.folder));
        QTest::mouseDClick(f.viewport, Qt::LeftButton, {}, f.onLabel(f.folder));
        QCOMPARE(f.events.only(u"Node"_s), QStringList{u"NodeClick Folder"_s});
        QCOMPARE(f.events.only(u"DblClick"_s).size(), 2);
        QVERIFY(!f.shownExpanded(f.folder));
    }

    void userExpansionAndKeysReachTheLogicOnce() {
        Fixture f;
        f.click(f.onBranchMark(f.folder));
        f.click(f.onBranchMark(f.folder));
        QCOMPARE(f.events.only(u"Expand"_s) + f.events.only(u"Collapse"_s),
                 (QStringList{u"Expand Folder"_s, u"Collapse Folder"_s}));
        f.events.calls.clear();
        f.view.setFocus();
        f.tree.SetSelectedItem(f.folder);
        f.events.onNodeClick = [&](TreeNode* node) { f.tree.SetSelectedItem(node); };
        QTest::keyClick(&f.view, Qt::Key_Right);
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(f.events.calls, (QStringList{u"Expand Folder"_s, u"NodeClick child1"_s}));

        // The view shows what the logic decided, not what the user asked for.
        f.events.followExpansion = false;
        f.events.onNodeClick = nullptr;
        f.click(f.onBranchMark(f.child2));
        QVERIFY(!f.shownExpanded(f.child2));
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(f.selection(), QModelIndexList{f.index(f.child1)});

        // Rows going away move the view's current row, but that is no choice of
        // the user's: the selection stays empty and nothing is clicked.
        f.events.calls.clear();
        f.tree.Remove(f.child1);
        QVERIFY(!f.tree.SelectedItem() && f.events.calls.isEmpty());
    }

    // A reset keeps what is expanded and selected (a move keeps the model's
    // index, and so both); the logic's own changes are not told back to it.
    void changesByTheLogicShowWithoutEchoing() {
        Fixture f;
        f.child2->SetExpanded(true);  // under a collapsed folder
        f.folder->SetExpanded(true);
        f.tree.SetSelectedItem(f.deep);
        {
            BulkTreeChange bulk(f.tree);
            f.add(f.item, tvwChild, "under item");
        }
        QVERIFY(f.shownExpanded(f.folder) && f.shownExpanded(f.child2) && !f.shownExpanded(f.item));
        QCOMPARE(f.selection(), QModelIndexList{f.index(f.deep)});
        f.folder->SetExpanded(false);
        f.tree.SetSelectedItem(nullptr);
        QVERIFY(!f.shownExpanded(f.folder) && f.selection().isEmpty());
        EnsureVisible(f.deep, f.port);
        QVERIFY(f.shownExpanded(f.folder) && f.events.calls.isEmpty());
        QVERIFY(f.port.GetVisibleCount() > 2);
        f.view.resize(f.view.width(), f.view.visualRect(f.index(f.item)).height() / 2);
        QCOMPARE(f.port.GetVisibleCount(), 0);
    }

    // The window's own drags are taken anywhere over the tree and reported in
    // twips, never as the desktop's; the drop is told once the drag is over.
    void ownDragsAreReportedAndTheDropAfterTheDrag() {
        Fixture f;
        const QPoint where = f.onBlank(f.item);
        const QString at = u"2 "_s + f.twips(where);
        std::unique_ptr<QMimeData> ours(ControlDrag::dataFor(DragSource::FileList));
        QCOMPARE(f.dragAndDrop(ours.get(), where, Qt::CopyAction), 3);
        QTRY_COMPARE(f.events.only(u"Drag"_s),
                     (QStringList{u"DragOver "_s + at + u" 0"_s, u"DragOver "_s + at + u" 2"_s,
                                  u"DragDrop "_s + at}));
        QDragEnterEvent enter(where, Qt::CopyAction, ours.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(f.viewport, &enter);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(f.viewport, &leave);
        QCOMPARE(f.events.only(u"Drag"_s).last(), u"DragOver "_s + at + u" 1"_s);
        QVERIFY(f.events.only(u"OLE"_s).isEmpty());
    }

    // The desktop's list of files reaches the logic as the local paths in it;
    // what the logic refuses is ignored, so the pointer shows no drop (and Qt
    // tells nothing more of it). A taken drag is always a copy, never the
    // window's own, and its drop is told after the drag.
    void desktopDragsOfferLocalFilesToCopy() {
        const QUrl hosts = QUrl::fromLocalFile(u"/etc/hosts"_s),
                   tmp = QUrl::fromLocalFile(u"/tmp"_s);
        const QUrl remote(u"https://example.org/a.txt"_s);
        const Qt::DropActions copy(Qt::CopyAction), move(Qt::MoveAction);
        const struct {
            QList<QUrl> urls;  // none: text
            Qt::DropActions actions;
            QString offered;  // copy allowed, then the paths
        } cases[] = {{{hosts, tmp}, copy | move, u"1 /etc/hosts|/tmp"_s},
                     {{remote, hosts}, copy, u"1 /etc/hosts"_s},
                     {{}, copy, u"1 "_s},
                     {{hosts, tmp}, move, u"0 /etc/hosts|/tmp"_s}};
        for (const auto& c : cases) {
            Fixture f;
            QMimeData data;
            c.urls.isEmpty() ? data.setText(u"/etc/hosts"_s) : data.setUrls(c.urls);
            const bool taken = c.offered.startsWith(u"1 /"_s);
            const QPoint where = f.onLabel(f.item);
            QCOMPARE(f.dragAndDrop(&data, where, c.actions), taken ? 3 : 0);
            const QString over = u"OLEDragOver "_s + c.offered + u' ' + f.twips(where);
            const QString drop = u"OLEDragDrop "_s + c.offered + u' ' + f.twips(where);
            QTRY_COMPARE(f.events.only(u"OLE"_s),
                         (taken ? QStringList{over, over, drop} : QStringList{over}));
            QVERIFY(f.events.only(u"Drag"_s).isEmpty());
        }
    }
};

QTEST_MAIN(TestTreeView)
#include "test_qt_tree_view.moc"
