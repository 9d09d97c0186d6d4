#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtTreeView.h"
#include "tree/EnsureVisible.h"

#include <QDragEnterEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QSysInfo>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown tree view whose tree holds Folder (child), Item.
struct Fixture {
    NodeTree tree;
    QtImageList images;
    RecordingEvents events;
    QtTreeView port{images};
    NodeTreeView view;
    QWidget* viewport = view.viewport();
    TreeNode* folder = add(nullptr, tvwLast, "Folder");
    TreeNode* child = add(folder, tvwChild, "child");
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
    // the rows there is no node.
    void hitTestFindsANodeOnlyOnItsPictureAndLabel() {
        Fixture f;
        EnsureVisible(f.child, f.port);
        const QRect label = f.view.labelRect(f.index(f.item));
        const QRect nested = f.view.labelRect(f.index(f.child));
        QCOMPARE(f.hitTest(QPoint(label.left() + 2, label.center().y())), f.item);  // the picture
        for (const QPoint& none : {QPoint(label.right() + 4, label.center().y()),
                                   QPoint(nested.left() - 4, nested.center().y()),
                                   QPoint(label.center().x(), label.bottom() + 10)})
            QCOMPARE(f.hitTest(none), nullptr);
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
                                        {f.child, Qt::Key_Tab}}) {
            f.port.StartLabelEdit(node);
            QTest::keyClick(editor(), Qt::Key_End);
            QTest::keyClicks(editor(), u"X"_s);
            QTest::keyClick(editor(), key);
            QTRY_VERIFY(!editor());
        }
        QCOMPARE(f.events.only(u"After"_s),
                 (QStringList{u"AfterLabelEdit ItemX"_s, u"AfterLabelEdit (escape)"_s,
                              u"AfterLabelEdit childX"_s}));
        QCOMPARE(f.item->Text(), u"Item"_s);
    }

    // The focus is told when the keyboard or the window brings it, not when
    // a click does.
    void theFocusAndTheCutKeysAreTold() {
        Fixture f;
        f.events.focuses.clear();
        for (const Qt::FocusReason reason :
             {Qt::BacktabFocusReason, Qt::MouseFocusReason, Qt::ShortcutFocusReason}) {
            QFocusEvent in(QEvent::FocusIn, reason);
            QCoreApplication::sendEvent(&f.view, &in);
        }
        QCOMPARE(f.events.focuses, QStringList(2, u"Tree"_s));
        // Ctrl+X and Ctrl+V, with no other modifier, cut and paste.
        for (const Qt::Key key : {Qt::Key_X, Qt::Key_V}) {
            QTest::keyClick(&f.view, key, Qt::ControlModifier);
            QTest::keyClick(&f.view, key, Qt::ControlModifier | Qt::ShiftModifier);
        }
        QCOMPARE(f.events.only(u"Key"_s), (QStringList{u"Key 88 2"_s, u"Key 86 2"_s}));
    }

    // Presses, a drag across rows, a double click and the keys are reported, but only the logic
    // selects or expands; a double click never opens the folder. Rows going away move the view's
    // current row, which is no choice of the user's: nothing is selected or clicked.
    void theViewReportsAndTheLogicDecides() {
        Fixture f;
        f.events.followExpansion = false;
        f.tree.SetSelectedItem(f.folder);
        const QPoint where = f.onLabel(f.folder);
        QTest::mousePress(f.viewport, Qt::LeftButton, Qt::ShiftModifier, where);
        QCOMPARE(f.events.calls.value(0), u"MouseDown 1 1 "_s + f.twips(where));
        QTest::mouseMove(f.viewport, f.onLabel(f.item));
        QTest::mouseRelease(f.viewport, Qt::LeftButton, {}, f.onLabel(f.item));
        QTest::mouseDClick(f.viewport, Qt::LeftButton, {}, where);
        f.view.setFocus();
        QTest::keyClick(&f.view, Qt::Key_Right);
        QTest::keyClick(&f.view, Qt::Key_Down);
        QVERIFY(!f.shownExpanded(f.folder) && f.events.only(u"Expand"_s).size() == 1);
        QVERIFY(f.events.only(u"NodeClick Item"_s).size() == 1 &&
                f.events.only(u"DblClick"_s).size() == 1);
        QCOMPARE(f.selection(), QModelIndexList{f.index(f.folder)});
        f.events.calls.clear();
        f.tree.Remove(f.folder);
        QVERIFY(!f.tree.SelectedItem() && f.events.calls.isEmpty());
    }

    // What the logic changes shows, a reset keeping what is expanded and
    // selected, and none of it is told back to the logic.
    void changesByTheLogicShowWithoutEchoing() {
        Fixture f;
        f.folder->SetExpanded(true);
        f.tree.SetSelectedItem(f.child);
        {
            BulkTreeChange bulk(f.tree);
            f.add(f.item, tvwChild, "under item");
        }
        QVERIFY(f.shownExpanded(f.folder) && f.selection() == QModelIndexList{f.index(f.child)});
        QVERIFY(!f.shownExpanded(f.item) && f.events.calls.isEmpty());
    }

    // The desktop's list of files reaches the logic as the local paths in it,
    // in their own bytes; what the logic refuses is ignored, so the pointer
    // shows no drop. A taken drag is always a copy. The window's own drags
    // are told by their source, never as the desktop's, and either drop is
    // told after the drag. This machine is no host, "localhost" or its own
    // name; another host's address, or an escaped "/" that no name holds,
    // names no path here.
    void dragsOfferLocalFilesToCopyAndTellTheirSource() {
        const QUrl hosts = QUrl::fromLocalFile(u"/etc/hosts"_s), tmp(u"file:///tmp"_s),
                   remote(u"ftp://example.org/a.txt"_s), ours(u"varnel:own"_s),
                   local(u"file://localhost/etc/hosts"_s),
                   named(u"file://"_s + QSysInfo::machineHostName() + u"/tmp"_s),
                   elsewhere(u"file://elsewhere.example/tmp"_s),
                   odd = QUrl::fromEncoded("file:///tmp/%20bad%FF%00%0A"),
                   slash = QUrl::fromEncoded("file:///tmp/a%2Fb");
        const Qt::DropActions copy(Qt::CopyAction), move(Qt::MoveAction);
        const struct {
            QList<QUrl> urls;  // none: text
            Qt::DropActions actions;
            QString told;  // the last event, but for the point
        } cases[] = {{{hosts, tmp}, copy | move, u"OLEDragDrop 1 /etc/hosts|/tmp"_s},
                     {{remote, hosts}, copy, u"OLEDragDrop 1 /etc/hosts"_s},
                     {{local, named, elsewhere, odd, slash},
                      copy,
                      u"OLEDragDrop 1 /etc/hosts|/tmp|/tmp/ bad\xdcff"_s + QChar(u'\0') + u"\n"_s},
                     {{remote}, copy, u"OLEDragOver 1 "_s},
                     {{}, copy, u"OLEDragOver 1 "_s},
                     {{hosts, tmp}, move, u"OLEDragOver 0 /etc/hosts|/tmp"_s},
                     {{ours}, copy, u"DragDrop 2"_s}};
        for (const auto& c : cases) {
            Fixture f;
            std::unique_ptr<QMimeData> data(
                c.urls == QList{ours} ? ControlDrag::dataFor(DragSource::FileList) : new QMimeData);
            if (c.urls != QList{ours})
                c.urls.isEmpty() ? data->setText(u"/etc/hosts"_s) : data->setUrls(c.urls);
            const bool taken = c.told.contains(u"Drop"_s);
            QCOMPARE(f.dragAndDrop(data.get(), f.onLabel(f.item), c.actions), taken ? 3 : 0);
            QVERIFY(f.events.only(u"OLEDragDrop"_s).isEmpty() &&
                    f.events.only(u"DragDrop"_s).isEmpty());
            QTRY_COMPARE(f.events.calls.last(), c.told + u' ' + f.twips(f.onLabel(f.item)));
            QVERIFY(f.events.only(c.told.startsWith(u"OLE"_s) ? u"Drag"_s : u"OLE"_s).isEmpty());
        }
    }
};

QTEST_MAIN(TestTreeView)
#include "test_qt_tree_view.moc"
