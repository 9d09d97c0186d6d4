// The cursors of the window's own drags, over the window and elsewhere.
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"
#include "platform/qt/DragCursors.h"

#include <QDrag>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
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

class TestDragCursors : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
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

QTEST_MAIN(TestDragCursors)
#include "test_qt_drag_cursors.moc"
