// The browser's lists from the keyboard: their menus on the menu key and
// Shift+F10, and "Add to Tree", checked against the drag it stands in for.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"
#include "settings/SettingsWriter.h"
#include "tree/TreeDropMenu.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Drop = TreeDropMenuId;

namespace {
// The window shown on the program's directory, which holds sub/ and f.txt;
// the tree holds Work (a folder) hit at (10, 10) and Game (an item) at
// (10, 20), empty space at (500, 500). The directory list highlights sub.
struct Keys : FormHarness {
    explicit Keys(bool files = false) {
        QDir(paths.programDir).mkdir(u"sub"_s);
        if (!QFile(paths.programDir + u"/f.txt"_s).open(QIODevice::WriteOnly))
            qFatal("cannot make a file");
        loadAndShow();
        fake.treeView.hits[{10, 10}] =
            form->tree().Add(nullptr, tvwLast, QString(), u"Work"_s, u"closed"_s);
        fake.treeView.hits[{10, 20}] =
            form->tree().Add(nullptr, tvwLast, QString(), u"Game"_s, u"leaf"_s);
        form->tree().SetSelectedItem(nullptr);
        mouse().DirList_Click(0);
        if (files)
            form->browser().dlViewFiles_Click();
    }
    BrowserMouse& mouse() { return form->browserMouse(); }
    DragSource list() const {
        return form->browser().DirVis() ? DragSource::DirList : DragSource::FileList;
    }
    void key(int key, int shift) {
        if (list() == DragSource::DirList)
            mouse().DirList_KeyDown(key, shift);
        else
            mouse().FileList_KeyDown(key, shift);
    }
    // The tree as the settings file gets it, and the path label, with the
    // program's own temporary directory as "<dir>".
    QString text() { return general(WriteSettingsText(SettingsValues{}, form->tree(), {})); }
    QString label() { return general(fake.pathLabel.text.toUtf8()); }
    QString general(const QByteArray& text) const {
        return QString::fromUtf8(text)
            .replace(paths.programDir, u"<dir>"_s)
            .replace(QFileInfo(paths.programDir).fileName(), u"<dir>"_s);
    }
    // The list's entry dragged onto the node at y (0: empty space), or added
    // with "Add to Tree" with that node selected; the drop menu's choice made.
    void drag(float y, Drop choice) {
        const bool dirs = list() == DragSource::DirList;
        (mouse().*(dirs ? &BrowserMouse::DirList_MouseDown : &BrowserMouse::FileList_MouseDown))(
            ButtonLeft, 0, 30, 30);
        (mouse().*(dirs ? &BrowserMouse::DirList_MouseMove : &BrowserMouse::FileList_MouseMove))(
            ButtonLeft, 0, 45, 30);
        fake.menus.choose(choice);
        form->treeDrop().TreeView_DragDrop(list(), y ? 10 : 500, y ? y : 500);
    }
    void addToTree(float y, Drop choice) {
        if (y) {
            form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, y);
            form->treeMouse().TreeView_MouseUp(ButtonLeft, 0, 10, y);
        }
        if (list() == DragSource::DirList)
            fake.menus.choose(DirMenuId::dlAddToTree);
        else
            fake.menus.choose(FileMenuId::flAddToTree);
        fake.menus.choose(choice);
        key(KeyContextMenu, 0);
    }
};

// A menu's entries, each caption followed by + if enabled, else -.
QString entries(const MenuEntry& menu) {
    QString all;
    for (const MenuEntry& e : menu.children)
        all += e.caption + (e.enabled ? u'+' : u'-');
    return all;
}
}  // namespace

class TestBrowserKeys : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The menu key and Shift+F10, no other key, open the list's menu at its
    // current entry, the path label set first as a right press sets it.
    void eachListsMenuOpensOnItsKeysAtItsEntry() {
        for (const bool files : {false, true}) {
            for (const QString& c : {u"93 0=1"_s, u"93 1=1"_s, u"121 1=1"_s, u"121 0=0"_s,
                                     u"121 2=0"_s, u"121 3=0"_s, u"13 0=0"_s}) {
                Keys h(files);
                h.fake.pathLabel.setCaption(u"elsewhere"_s);
                QString labelThen;
                h.fake.menus.whileShown = [&h, &labelThen] { labelThen = h.fake.pathLabel.text; };
                const QStringList key = c.section(u'=', 0, 0).split(u' ');
                h.key(key[0].toInt(), key[1].toInt());
                QCOMPARE(c.section(u'=', 0, 0) + u'=' + QString::number(h.fake.menus.shown.size()),
                         c);
                if (!h.fake.menus.shown.empty()) {
                    QCOMPARE(h.fake.menus.atList, h.list());
                    QCOMPARE(labelThen,
                             u' ' + h.paths.programDir + (files ? u"/f.txt"_s : u"/sub"_s));
                }
            }
        }
    }

    // "Add to Tree" leaves the tree, the path label and the history as the
    // drag of the entry dropped on the selected node would, through the same
    // drop menu shown at that node; with none selected, without a menu at
    // the end of the top level.
    void addToTreeCopiesAsADropOnTheSelectedNode() {
        for (const bool files : {false, true}) {
            for (const bool fullPath : {false, true}) {
                for (const float y : {0.0f, 10.0f, 20.0f}) {
                    for (const Drop choice : {Drop::tdInside, Drop::tdBefore, Drop::tdAfter}) {
                        Keys dragged(files), added(files);
                        dragged.form->options().SetFullPath(fullPath);
                        added.form->options().SetFullPath(fullPath);
                        dragged.drag(y, choice);
                        added.addToTree(y, choice);
                        const QString what =
                            u"%1 %2 %3 %4"_s.arg(files).arg(fullPath).arg(y).arg(int(choice));
                        QVERIFY2(added.text() == dragged.text(), qPrintable(what));
                        QVERIFY2(added.form->tree().Count() > 2, qPrintable(what));
                        QCOMPARE(added.label(), dragged.label());
                        QCOMPARE(added.form->history().UndoCaption(), u"Copy"_s);
                        const auto& menus = added.fake.menus.shown;
                        QCOMPARE(menus.size(), dragged.fake.menus.shown.size() + 1);
                        if (y) {
                            QCOMPARE(entries(menus.back()),
                                     entries(dragged.fake.menus.shown.back()));
                            QCOMPARE(added.fake.menus.atNode, added.fake.treeView.HitTest(10, y));
                        }
                    }
                }
            }
        }
    }

    // The copied path is looked at in the background: an answer that comes
    // after the drop has ended is still one "Copy" that Undo takes back,
    // and the steps before it stay.
    void aCopyAnsweredLateIsOneStep() {
        for (const bool keys : {false, true}) {
            Keys h;
            h.form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, 20);
            h.form->treeMouse().TreeView_MouseUp(ButtonLeft, 0, 10, 20);
            h.form->tray().tvAddQuickList_Click();
            h.form->options().SetFullPath(false);
            const QString before = h.text();
            h.fake.work.hold = true;
            keys ? h.addToTree(20, Drop::tdAfter) : h.drag(20, Drop::tdAfter);
            QVERIFY(h.fake.work.release());
            QCOMPARE(h.form->tree().Count(), 3);
            QCOMPARE(h.form->history().UndoCaption(), u"Copy"_s);
            h.form->undo().tvUndo_Click();
            QCOMPARE(h.text(), before);
            QCOMPARE(h.form->history().UndoCaption(), u"Add to Quick List"_s);
        }
    }

    // Cancel adds nothing and leaves the node selected; a filtered tree
    // takes nothing, and the entry is greyed.
    void addToTreeCancelledOrFiltered() {
        Keys h;
        h.addToTree(20, Drop::tdCancel);
        QCOMPARE(h.form->tree().Count(), 2);
        QCOMPARE(h.form->tree().SelectedItem()->Text(), u"Game"_s);
        h.form->filter().FilterKey_Press();
        h.form->filter().FilterLine_Change(u"o"_s);
        for (const bool files : {false, true}) {
            if (files)
                h.form->browser().dlViewFiles_Click();
            h.fake.menus.choices.clear();
            h.addToTree(0, Drop::tdCancel);
            QCOMPARE(h.form->tree().Count(), 2);
            const MenuEntry* add = files ? h.fake.menus.lastEntry(FileMenuId::flAddToTree)
                                         : h.fake.menus.lastEntry(DirMenuId::dlAddToTree);
            QVERIFY(add && !add->enabled && add->caption == u"Add to Tree"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestBrowserKeys)
#include "test_browser_keys.moc"
