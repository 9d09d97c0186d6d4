// Dragging from the browser's lists, their menus on a right press and their
// hints, over the scriptable platform.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"
#include "tree/TreeDrop.h"
#include "tree/TreeDropMenu.h"
#include "tree/TreeMouse.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// The window shown on the program's directory, which holds the directory
// sub/ (without files) and the file f.txt.
struct Lists : FormHarness {
    Lists() {
        QDir(paths.programDir).mkdir(u"sub"_s);
        QFile file(paths.programDir + u"/f.txt"_s);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot make a file");
        loadAndShow();
        dir = QDir::cleanPath(paths.programDir);
    }
    BrowserMouse& mouse() { return form->browserMouse(); }
    QString dir;
};

// One list as the tests drive it: its events, its drag state and its port.
struct ListUnderTest {
    const char* name;
    void (BrowserMouse::*down)(int, int, float, float);
    void (BrowserMouse::*move)(int, int, float, float);
    void (BrowserMouse::*up)(int, int, float, float);
    void (BrowserMouse::*dragOver)(DragSource, int);
    int (BrowserMouse::*state)() const;
    DragSource source;
};
const ListUnderTest TheLists[] = {
    {"DirList", &BrowserMouse::DirList_MouseDown, &BrowserMouse::DirList_MouseMove,
     &BrowserMouse::DirList_MouseUp, &BrowserMouse::DirList_DragOver, &BrowserMouse::DirDragState,
     DragSource::DirList},
    {"FileList", &BrowserMouse::FileList_MouseDown, &BrowserMouse::FileList_MouseMove,
     &BrowserMouse::FileList_MouseUp, &BrowserMouse::FileList_DragOver,
     &BrowserMouse::FileDragState, DragSource::FileList},
};

// The pictures the list's port was given, and how many drags it began.
QStringList picturesOf(const Lists& h, DragSource source) {
    return source == DragSource::DirList ? h.fake.dirList.pictures : h.fake.fileList.pictures;
}
int dragsOf(const Lists& h, DragSource source) {
    return source == DragSource::DirList ? h.fake.dirList.drags : h.fake.fileList.drags;
}
}  // namespace

class TestBrowserDrag : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Events: "L" a left press, "R" a right press, "M1" a move with the left
    // button held (the first pixel off), "M0" a move without a button, "U" a
    // left release, "E" the tree handled a drop from the list.
    void theDragOfEachListArmsBeginsAndEnds() {
        struct Case {
            const char* events;
            int state;
            int drags;
        };
        const Case cases[] = {
            {"L", 1, 0},      {"L M1", 2, 1},    {"L M1 M1", 2, 1},   {"L U", 0, 0},
            {"L M1 U", 0, 1}, {"L M1 M0", 0, 1}, {"L M0", 1, 0},      {"M1", 0, 0},
            {"R M1", 0, 0},   {"L M1 E", 0, 1},  {"L M1 E M1", 0, 1},
        };
        for (const ListUnderTest& list : TheLists) {
            for (const Case& c : cases) {
                Lists h;
                BrowserMouse& mouse = h.mouse();
                for (const QString& event : QString::fromLatin1(c.events).split(u' ')) {
                    if (event == u"E")
                        mouse.EndDrag(list.source);
                    else if (event == u"U")
                        (mouse.*list.up)(ButtonLeft, 0, 45, 30);
                    else if (event.startsWith(u'M'))
                        (mouse.*list.move)(event == u"M1" ? int(ButtonLeft) : 0, 0, 45, 30);
                    else
                        (mouse.*list.down)(event == u"L" ? ButtonLeft : ButtonRight, 0, 30, 30);
                }
                const QByteArray what = QByteArray(list.name) + ": " + c.events;
                QVERIFY2((mouse.*list.state)() == c.state, what.constData());
                QVERIFY2(dragsOf(h, list.source) == c.drags, what.constData());
            }
        }
    }

    // Leaving its own list the drag shows "nodrop", coming back "drag";
    // another control's drag over a list changes nothing.
    void aDragOverItsOwnListOnlyChangesItsPicture() {
        for (const ListUnderTest& list : TheLists) {
            Lists h;
            BrowserMouse& mouse = h.mouse();
            const DragSource other =
                list.source == DragSource::DirList ? DragSource::FileList : DragSource::TreeView;
            (mouse.*list.dragOver)(other, 0);
            (mouse.*list.dragOver)(list.source, 1);
            (mouse.*list.dragOver)(list.source, 2);
            (mouse.*list.dragOver)(list.source, 0);
            QCOMPARE(picturesOf(h, list.source), (QStringList{u"nodrop"_s, u"drag"_s}));
        }
    }

    // The right press shows the highlighted directory, then the menu, with
    // "View Files" only when the open directory has files to view.
    void theDirectoryMenuOffersViewFilesOnlyWithFiles() {
        Lists h;
        h.mouse().DirList_Click(0);  // sub, which has no files
        h.mouse().DirList_MouseDown(ButtonRight, 0, 30, 30);
        QCOMPARE(h.fake.pathLabel.text, u' ' + h.dir + u"/sub"_s);
        QCOMPARE(h.fake.menus.shown.back().caption, u"Dir List"_s);
        QVERIFY(h.fake.menus.lastEntry(DirMenuId::dlViewFiles)->enabled);  // f.txt

        h.mouse().DirList_DblClick();
        h.fake.menus.choose(DirMenuId::dlViewFiles);  // greyed: nothing happens if chosen
        h.mouse().DirList_MouseDown(ButtonRight, 0, 30, 30);
        QVERIFY(!h.fake.menus.lastEntry(DirMenuId::dlViewFiles)->enabled);
        QVERIFY(h.form->browser().DirVis());
        QCOMPARE(h.mouse().DirDragState(), 0);
    }

    // Any press on the file list shows the highlighted file first, or clears
    // the label when there is none; the right press then opens the menu.
    void aPressOnTheFileListShowsTheHighlightedFileFirst() {
        for (const int button : {int(ButtonLeft), int(ButtonRight)}) {
            Lists h;
            h.fake.pathLabel.text.clear();
            h.mouse().FileList_MouseDown(button, 0, 30, 30);
            QCOMPARE(h.fake.pathLabel.text, u' ' + h.dir + u"/f.txt"_s);
            QCOMPARE(h.fake.menus.shown.size(), size_t(button == ButtonRight ? 1 : 0));

            h.mouse().DirList_Click(0);
            h.mouse().DirList_DblClick();  // sub: no file highlighted
            h.mouse().FileList_MouseDown(button, 0, 30, 30);
            QVERIFY(h.fake.pathLabel.text.isEmpty());
        }
    }

    // The status bar explains the list under the pointer, and is not
    // written again while it already does.
    void hintsAreWrittenOnlyWhenTheyChange() {
        Lists h;
        const std::pair<bool, int> moves[] = {
            {true, 1}, {true, 1}, {false, 2}, {false, 2}, {true, 3}};
        for (const auto& [onDirs, writes] : moves) {
            (h.mouse().*(onDirs ? &BrowserMouse::DirList_MouseMove
                                : &BrowserMouse::FileList_MouseMove))(0, 0, 10, 10);
            QCOMPARE(h.fake.statusBar.writes, writes);
            QCOMPARE(h.fake.statusBar.shown, (onDirs ? u"Select a folder"_s : u"Select a file"_s) +
                                                 u" and Drag it to the window on the right to add "
                                                 u"it.  Right click for Menu."_s);
        }
    }

    // A drag let go outside the window never reaches a drop, so its state
    // stays behind. The next drop that does arrive is of one drag only: a
    // directory copied after a node must not move the node the tree's lost
    // drag once carried, nor a lost file drag copy a file instead.
    void aDropActsOnlyForTheDragItCameFrom() {
        Lists h;
        h.form->options().SetFullPath(false);
        NodeTree& tree = h.form->tree();
        TreeNode* lost = tree.Add(nullptr, tvwLast, QString(), u"Lost"_s, u"leaf"_s);
        TreeNode* target = tree.Add(nullptr, tvwLast, QString(), u"Target"_s, u"leaf"_s);
        h.fake.treeView.hits[{300, 30}] = lost;
        h.fake.treeView.hits[{300, 300}] = target;
        h.form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 300, 30);
        h.form->treeMouse().TreeView_MouseMove(ButtonLeft, 0, 315, 30);
        QCOMPARE(h.fake.treeView.drags.size(), 1);

        h.mouse().DirList_Click(0);  // sub
        h.mouse().DirList_MouseDown(ButtonLeft, 0, 30, 30);
        h.mouse().DirList_MouseMove(ButtonLeft, 0, 45, 30);
        h.fake.menus.choose(TreeDropMenuId::tdAfter);
        h.form->treeDrop().TreeView_DragDrop(DragSource::DirList, 300, 300);
        QStringList labels;
        for (TreeNode* node = tree.First(); node; node = node->Next())
            labels << node->Text();
        QCOMPARE(labels, (QStringList{u"Lost"_s, u"Target"_s, u"sub"_s}));
        QCOMPARE(h.form->treeMouse().TreeDragState(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBrowserDrag)
#include "test_browser_drag.moc"
