// Dragging from the browser's lists, their menus on a right press and their
// hints, over the scriptable platform.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"
#include "tree/TreeDrop.h"
#include "tree/TreeDropMenu.h"
#include "tree/TreeMouse.h"

using namespace Qt::Literals::StringLiterals;

namespace {
// The window shown on the program's directory, which holds sub/ (without
// files) and f.txt.
struct Lists : FormHarness {
    Lists() {
        QDir(paths.programDir).mkdir(u"sub"_s);
        if (!QFile(paths.programDir + u"/f.txt"_s).open(QIODevice::WriteOnly))
            qFatal("cannot make a file");
        loadAndShow();
        dir = QDir::cleanPath(paths.programDir);
    }
    BrowserMouse& mouse() { return form->browserMouse(); }
    QString dir;
};

using Press = void (BrowserMouse::*)(int, int, float, float);
struct ListEvents {
    Press down, move, up;
    void (BrowserMouse::*over)(DragSource, int);
    int (BrowserMouse::*state)() const;
    DragSource own;
};
const ListEvents TheLists[] = {
    {&BrowserMouse::DirList_MouseDown, &BrowserMouse::DirList_MouseMove,
     &BrowserMouse::DirList_MouseUp, &BrowserMouse::DirList_DragOver, &BrowserMouse::DirDragState,
     DragSource::DirList},
    {&BrowserMouse::FileList_MouseDown, &BrowserMouse::FileList_MouseMove,
     &BrowserMouse::FileList_MouseUp, &BrowserMouse::FileList_DragOver,
     &BrowserMouse::FileDragState, DragSource::FileList},
};
}  // namespace

class TestBrowserDrag : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Events: "L" a left press, "R" a right press, "M1" a move with the left
    // button held (the first pixel off), "M0" a move without a button, "U" a
    // left release, "E" the tree handled a drop from the list, "O" + 0, 1, 2
    // its own drag entering, leaving, over the list, "X" another control's.
    // Outcome: the drag state, then the pictures set ("drag" as one begins).
    void theDragOfEachListArmsBeginsAndEnds() {
        const QStringList cases =
            u"L=1; L M1=2 drag; L M1 M1=2 drag; L U=0; L M1 U=0 drag; L M1 M0=0 drag; L M0=1; "
            u"M1=0; R M1=0; L M1 E=0 drag; L M1 E M1=0 drag; X O1 O2 O0=0 nodrop drag"_s.split(
                u"; "_s);

        for (const ListEvents& list : TheLists) {
            for (const QString& c : cases) {
                Lists h;
                BrowserMouse& m = h.mouse();
                const QString events = c.section(u'=', 0, 0);
                for (const QString& e : events.split(u' ')) {
                    if (e == u"E")
                        m.EndDrag(list.own);
                    else if (e == u"X")
                        (m.*list.over)(DragSource::TreeView, 0);
                    else if (e[0] == u'O')
                        (m.*list.over)(list.own, e.back().digitValue());
                    else if (e == u"U")
                        (m.*list.up)(ButtonLeft, 0, 45, 30);
                    else if (e[0] == u'M')
                        (m.*list.move)(e == u"M1" ? int(ButtonLeft) : 0, 0, 45, 30);
                    else
                        (m.*list.down)(e == u"L" ? ButtonLeft : ButtonRight, 0, 30, 30);
                }
                QStringList seen{QString::number((m.*list.state)())};
                seen << (list.own == DragSource::DirList ? h.fake.dirList.pictures
                                                         : h.fake.fileList.pictures);
                QCOMPARE(events + u'=' + seen.join(u' '), c);
            }
        }
    }

    // The right press shows the highlighted directory, then the menu, with
    // "View Files" only when the open directory has files to view.
    void theDirectoryMenuOffersViewFilesOnlyWithFiles() {
        Lists h;
        h.mouse().DirList_Click(0);  // sub, which has no files
        h.mouse().DirList_MouseDown(ButtonRight, 0, 30, 30);
        QCOMPARE(h.fake.pathLabel.text, u' ' + h.dir + u"/sub"_s);
        QVERIFY(h.fake.menus.lastEntry(DirMenuId::dlViewFiles)->enabled);  // f.txt
        h.mouse().DirList_DblClick();
        h.fake.menus.choose(DirMenuId::dlViewFiles);  // greyed: nothing happens if chosen
        h.mouse().DirList_MouseDown(ButtonRight, 0, 30, 30);
        QVERIFY(!h.fake.menus.lastEntry(DirMenuId::dlViewFiles)->enabled);
        QVERIFY(h.form->browser().DirVis());
    }

    // Any press on the file list shows the highlighted file first, or clears
    // the label when there is none; the right press then opens the menu.
    void aPressOnTheFileListShowsTheHighlightedFileFirst() {
        for (const int button : {int(ButtonLeft), int(ButtonRight)}) {
            Lists h;
            h.mouse().FileList_MouseDown(button, 0, 30, 30);
            QCOMPARE(h.fake.pathLabel.text, u' ' + h.dir + u"/f.txt"_s);
            QCOMPARE(h.fake.menus.shown.size(), size_t(button == ButtonRight ? 1 : 0));
            h.mouse().DirList_Click(0);
            h.mouse().DirList_DblClick();  // sub: no file highlighted
            h.mouse().FileList_MouseDown(button, 0, 30, 30);
            QVERIFY(h.fake.pathLabel.text.isEmpty());
        }
    }

    // A drag let go outside the window never reaches a drop, so its state
    // stays behind. The next drop that does arrive is of one drag only: a
    // directory copied after a node must not move the node the tree's lost
    // drag once carried.
    void aDropActsOnlyForTheDragItCameFrom() {
        Lists h;
        h.form->options().SetFullPath(false);
        NodeTree& tree = h.form->tree();
        h.fake.treeView.hits[{300, 30}] =
            tree.Add(nullptr, tvwLast, QString(), u"Lost"_s, u"leaf"_s);
        h.fake.treeView.hits[{300, 300}] =
            tree.Add(nullptr, tvwLast, QString(), u"Target"_s, u"leaf"_s);
        h.form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 300, 30);
        h.form->treeMouse().TreeView_MouseMove(ButtonLeft, 0, 315, 30);
        h.mouse().DirList_Click(0);  // sub
        h.mouse().DirList_MouseDown(ButtonLeft, 0, 30, 30);
        h.mouse().DirList_MouseMove(ButtonLeft, 0, 45, 30);
        h.fake.menus.choose(TreeDropMenuId::tdAfter);
        h.form->treeDrop().TreeView_DragDrop(DragSource::DirList, 300, 300);
        QCOMPARE(labels(tree), (QStringList{u"Lost"_s, u"Target"_s, u"sub"_s}));
        QCOMPARE(h.form->treeMouse().TreeDragState(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBrowserDrag)
#include "test_browser_drag.moc"
