// A node's drag as the desktop and the window's own drop targets see it,
// and the cursors it shows over the window and elsewhere.
#include "RealWindow.h"
#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/DragCursors.h"
#include "platform/qt/QtImageList.h"
#include "platform/qt/tree/NodeTreeModel.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/QtTreeView.h"
#include "tree/TreeMouse.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
const OutsideOffer Offer{"file:///home/u/a%20b.txt", "/home/u/a b.txt"};
QPixmap Filled(Qt::GlobalColor colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return pixmap;
}

// The cursor of each action, copy, move, link and none, as the colour of
// its first pixel, "nodrop" as N.
QString Shown(const QDrag& drag) {
    const QImage noDrop = ControlDrag::picture(u"nodrop"_s).toImage();
    QString colours;
    for (const Qt::DropAction action :
         {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction, Qt::IgnoreAction}) {
        const QImage cursor = drag.dragCursor(action).toImage();
        colours += cursor == noDrop                      ? u'N'
                   : cursor.pixelColor(0, 0) == Qt::red  ? u'R'
                   : cursor.pixelColor(0, 0) == Qt::blue ? u'B'
                                                         : u'?';
    }
    return colours;
}
}  // namespace

class TestDragOut : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A node's drag offers, besides the window's own type that says all
    // along that the drag is the tree's, the address as a text/uri-list and
    // the path as text, each byte as the offer has it.
    void theDragOffersTheAddressAndThePath() {
        const OutsideOffer offers[] = {
            {"file:///tmp/bad%FF%25.txt", "/tmp/bad\xff%.txt"},
            {"https://example.org/a?b=%5Bc%20d%5D&e=[f]#g",
             "https://example.org/a?b=[c d]&e=[f]#g"},
        };
        for (const OutsideOffer& offer : offers) {
            const std::unique_ptr<QMimeData> data(
                ControlDrag::dataFor(DragSource::TreeView, offer));
            QCOMPARE(ControlDrag::sourceOf(data.get()), DragSource::TreeView);
            QCOMPARE(data->data(u"text/uri-list"_s), offer.uri + "\r\n");
            QCOMPARE(data->data(u"text/plain"_s), offer.text);
        }
    }

    // A node with a path is dragged once the pointer has gone the desktop's
    // drag distance from the press, across and down added up, not before;
    // one without a path from the first move, as ever.
    void aPathWaitsForTheDragDistance() {
        RealWindow t({u"Hosts"_s, u"Work"_s});
        t.nodes[0]->SetTag(u"/etc/hosts"_s);
        const TreeMouse& mouse = t.form.treeMouse();
        const int distance = QApplication::startDragDistance();
        QVERIFY(distance > 1);
        const QPoint hosts = t.onLabel(t.nodes[0]);
        QTest::mousePress(t.viewport(), Qt::LeftButton, {}, hosts);
        QTest::mouseMove(t.viewport(), hosts + QPoint(distance / 2, distance - distance / 2 - 1));
        QCOMPARE(mouse.TreeDragState(), 1);
        QTest::mouseMove(t.viewport(), hosts + QPoint(distance / 2, distance - distance / 2 - 2));
        const QPoint away = hosts + QPoint(-distance / 2, distance - distance / 2);
        QTest::mouseMove(t.viewport(), away);
        QCOMPARE(mouse.TreeDragState(), 2);
        QTest::mouseRelease(t.viewport(), Qt::LeftButton, {}, away);
        const QPoint work = t.onLabel(t.nodes[1]);
        QTest::mousePress(t.viewport(), Qt::LeftButton, {}, work);
        QTest::mouseMove(t.viewport(), work + QPoint(1, 0));
        QCOMPARE(mouse.TreeDragState(), 2);
        QTest::mouseRelease(t.viewport(), Qt::LeftButton, {}, work + QPoint(1, 0));
    }

    // Over the tree such a drag, which lets a copy or a link be made only,
    // is the tree's own drag as before: told as one, dropped as one, never
    // as a list of files from the desktop.
    void theTreeTakesItAsItsOwnDrag() {
        NodeTree tree;
        QtImageList images;
        RecordingEvents events;
        QtTreeView port{images};
        NodeTreeView view;
        tree.Add(nullptr, tvwLast, QString(), u"Item"_s, u"leaf"_s);
        port.attach(&tree, &events, &events, &events);
        port.bind(&view);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const std::unique_ptr<QMimeData> data(ControlDrag::dataFor(DragSource::TreeView, Offer));
        const QPoint where = view.labelRect(port.model()->indexOf(tree.First())).center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::LinkAction;
        QDragEnterEvent enter(where, actions, data.get(), Qt::LeftButton, {});
        QDragMoveEvent move(where, actions, data.get(), Qt::LeftButton, {});
        QDropEvent drop(where, actions, data.get(), Qt::LeftButton, {});
        for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
            QCoreApplication::sendEvent(view.viewport(), event);
            QVERIFY(event->isAccepted() && event->dropAction() == Qt::CopyAction);
        }
        QTRY_COMPARE(events.calls.size(), 4);
        QStringList told;
        for (const QString& call : events.calls)
            told << call.section(u' ', 0, 1);
        QCOMPARE(told, (QStringList{u"DragOver 0"_s, u"DragOver 0"_s, u"DragRelease 0"_s,
                                    u"DragDrop 0"_s}));
    }

    // Over the window every action shows the picture chosen last. Elsewhere
    // a drag that offers something outside shows its own picture where the
    // drop is taken and "nodrop" where not; one that offers nothing keeps
    // the picture chosen.
    void elsewhereAnOfferShowsWhetherItIsTaken() {
        const QPixmap node = Filled(Qt::red), other = Filled(Qt::blue);
        const QPixmap noDrop = ControlDrag::picture(u"nodrop"_s);
        for (const bool outside : {true, false}) {
            QWidget source;
            QDrag drag(&source);
            DragCursors cursors(drag, node, outside);
            QCOMPARE(Shown(drag), u"RRRR"_s);
            cursors.show(noDrop);
            QCOMPARE(Shown(drag), u"NNNN"_s);
            cursors.overWindow(false);
            QCOMPARE(Shown(drag), outside ? u"RRRN"_s : u"NNNN"_s);
            cursors.show(other);
            QCOMPARE(Shown(drag), outside ? u"RRRN"_s : u"BBBB"_s);
            cursors.overWindow(true);
            QCOMPARE(Shown(drag), u"BBBB"_s);
        }
    }
};

QTEST_MAIN(TestDragOut)
#include "test_qt_drag_out.moc"
