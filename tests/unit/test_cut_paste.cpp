// Moving nodes without a drag: "Cut" and the "Paste" entries of the tree's
// menu, and Ctrl+X, Ctrl+V and Escape, each checked against the drop of a
// drag that does the same.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "settings/SettingsWriter.h"
#include "tree/TreeDropMenu.h"
#include "tree/TreeMenu.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Id = TreeMenuId;

namespace {
// A shown window whose tree holds Work+ (Docs+ (Deep, Notes), Memo), Game,
// Empty; each node is hit at (10, its y), empty space at (500, 500).
struct Moves : FormHarness {
    Moves() {
        loadAndShow();
        for (const char* text : {"Work", "Docs", "Deep", "Notes", "Memo", "Game", "Empty"}) {
            const QString name = QLatin1String(text);
            TreeNode* parent = name == u"Docs" || name == u"Memo"    ? at(u"Work"_s)
                               : name == u"Deep" || name == u"Notes" ? at(u"Docs"_s)
                                                                     : nullptr;
            const bool folder = name == u"Work" || name == u"Docs" || name == u"Empty";
            TreeNode* n = form->tree().Add(parent, parent ? tvwChild : tvwLast, QString(), name,
                                           folder ? u"closed"_s : u"leaf"_s);
            n->SetTag(u"/p/"_s + name);
            n->SetExpanded(folder && name != u"Empty");
            fake.treeView.hits[{10, y(name)}] = n;
        }
        form->history().Clear();
    }
    static float y(const QString& name) {
        return 10.0f *
               float(u"Work Docs Deep Notes Memo Game Empty"_s.split(u' ').indexOf(name) + 1);
    }
    TreeNode* at(const QString& name) const { return fake.treeView.HitTest(10, y(name)); }
    QByteArray text() { return WriteSettingsText(SettingsValues{}, form->tree(), {}); }
    // The same without the selection: what Undo and a refusal keep.
    QString shape() {
        return QString::fromUtf8(text()).remove(QRegularExpression(u"\t(True|False)(?=\r\n)"_s));
    }
    // The tree's menu opened on the node (empty space for none), with the
    // entry chosen.
    void menu(const QString& on, std::optional<Id> choice = std::nullopt) {
        if (choice)
            fake.menus.choose(*choice);
        form->treeMouse().TreeView_MouseDown(ButtonRight, 0, on.isEmpty() ? 500 : 10,
                                             on.isEmpty() ? 500 : y(on));
    }
    // Enabled entries among Cut, Paste Inside, Before, After, as "C I B A".
    QString enabled() const {
        QStringList on;
        for (auto [id, letter] : {std::pair{Id::tvCut, u"C"_s},
                                  {Id::tvPasteInside, u"I"_s},
                                  {Id::tvPasteBefore, u"B"_s},
                                  {Id::tvPasteAfter, u"A"_s}}) {
            const MenuEntry* entry = fake.menus.lastEntry(id);
            on << (entry && entry->enabled ? letter : u"-"_s);
        }
        return on.join(u' ');
    }
    void drag(const QString& from, const QString& onto, TreeDropMenuId choice) {
        form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, y(from));
        form->treeMouse().TreeView_MouseMove(ButtonLeft, 0, 12, y(from));
        fake.menus.choose(choice);
        form->treeDrop().TreeView_DragDrop(DragSource::TreeView, 10, y(onto));
    }
};

struct Paste {
    Id entry;
    TreeDropMenuId drop;
};
const Paste Pastes[] = {{Id::tvPasteInside, TreeDropMenuId::tdInside},
                        {Id::tvPasteBefore, TreeDropMenuId::tdBefore},
                        {Id::tvPasteAfter, TreeDropMenuId::tdAfter}};
}  // namespace

class TestCutPaste : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // After "Rename" under a separator of their own, the other entries in
    // their order; a paste only with a node cut, onto another node, inside
    // only a folder; none of them while filtered.
    void theEntriesStandAfterRenameAndFollowTheCut() {
        Moves h;
        h.menu(u"Work"_s);
        const std::vector<MenuEntry>& entries = h.fake.menus.shown.back().children;
        QStringList captions;
        for (const MenuEntry& e : entries)
            captions << (e.kind == MenuEntry::Kind::Separator ? u"-"_s : e.caption);
        QVERIFY2(captions.join(u'|').contains(
                     u"Modify Path|Rename|-|Cut|Paste Inside|Paste Before|Paste After|-|"
                     "Add to Quick List"_s),
                 qPrintable(captions.join(u'|')));
        QCOMPARE(captions.last(), u"Cancel"_s);
        QCOMPARE(h.enabled(), u"C - - -"_s);  // nothing cut yet

        h.menu(u"Game"_s);
        const QByteArray before = h.text();
        h.menu(u"Game"_s, Id::tvCut);
        QCOMPARE(h.text(), before);  // a cut changes nothing yet
        const QStringList cases = {u"Work=C I B A"_s, u"Memo=C - B A"_s, u"Game=C - - -"_s,
                                   u"=- - - -"_s};
        for (const QString& c : cases) {
            h.menu(c.section(u'=', 0, 0));
            QCOMPARE(c.section(u'=', 0, 0) + u'=' + h.enabled(), c);
        }
        h.form->filter().FilterKey_Press();
        h.form->filter().FilterLine_Change(u"o"_s);
        h.menu(u"Work"_s);
        QCOMPARE(h.enabled(), u"- - - -"_s);
    }

    // Each paste leaves the tree as the drag dropped there with the same
    // place chosen, is one "Move" that Undo takes back, and ends the cut.
    void aPasteMovesAsTheDropOfADrag() {
        const char* const moves[] = {"Game>Empty", "Docs>Game", "Notes>Memo", "Docs>Work",
                                     "Deep>Docs"};
        for (const char* move : moves) {
            const QString from = QString::fromLatin1(move).section(u'>', 0, 0);
            const QString onto = QString::fromLatin1(move).section(u'>', 1);
            for (const Paste& p : Pastes) {
                if (p.entry == Id::tvPasteInside && !u"Work Docs Empty"_s.contains(onto))
                    continue;
                Moves dragged;
                dragged.drag(from, onto, p.drop);
                Moves pasted;
                const QString before = pasted.shape();
                pasted.menu(from, Id::tvCut);
                pasted.menu(onto, p.entry);
                const QString what = QLatin1String(move) + u' ' + QString::number(int(p.entry));
                QVERIFY2(pasted.text() == dragged.text(), qPrintable(what));
                QCOMPARE(pasted.fake.pathLabel.text, dragged.fake.pathLabel.text);
                QCOMPARE(pasted.form->tree().SelectedItem()->Text(), from);
                QCOMPARE(pasted.form->history().UndoCaption(), u"Move"_s);
                QVERIFY(!pasted.form->cut().CutNode());
                pasted.form->treeMouse().TreeView_KeyDown(KeyZ, ShiftCtrl);
                QVERIFY2(pasted.shape() == before, qPrintable(what));
            }
        }
    }

    // A folder pasted into its own subtree is refused as its drop is.
    void aFolderIsNotPastedIntoItsOwnSubtree() {
        for (const Id paste : {Id::tvPasteAfter, Id::tvPasteInside}) {
            Moves h;
            const QString before = h.shape();
            h.menu(u"Work"_s, Id::tvCut);
            h.menu(paste == Id::tvPasteAfter ? u"Deep"_s : u"Docs"_s, paste);
            QCOMPARE(h.shape(), before);
            QCOMPARE(h.fake.messages.shown.size(), 1u);
            QCOMPARE(h.fake.messages.shown[0].title, u"Illegal Drop"_s);
        }
    }

    // Ctrl+X cuts the selected node, Ctrl+V pastes it after the selected
    // one; Escape, or a node leaving the tree, calls the cut off, so that a
    // node removed, or one made in its place, never moves.
    void theKeysAndWhatCallsACutOff() {
        Moves h, dragged;
        dragged.drag(u"Game"_s, u"Deep"_s, TreeDropMenuId::tdAfter);
        auto key = [&h](const QString& on, int k) {
            h.form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, Moves::y(on));
            h.form->treeMouse().TreeView_MouseUp(ButtonLeft, 0, 10, Moves::y(on));
            h.form->treeMouse().TreeView_KeyDown(k, ShiftCtrl);
        };
        key(u"Game"_s, KeyX);
        key(u"Deep"_s, KeyV);
        QVERIFY(h.text() == dragged.text());

        const QString before = h.shape();
        key(u"Memo"_s, KeyX);
        h.form->treeMouse().TreeView_KeyDown(KeyEscape, 0);
        key(u"Work"_s, KeyV);
        QCOMPARE(h.shape(), before);

        key(u"Memo"_s, KeyX);
        h.menu(u"Notes"_s, Id::tvDelete);  // another node goes: the cut goes too
        QVERIFY(!h.form->cut().CutNode());
        key(u"Memo"_s, KeyX);
        h.menu(u"Memo"_s, Id::tvDelete);
        h.form->editing().AddNewNode(tvwLast, true);
        h.form->treeMouse().TreeView_AfterLabelEdit(u"Fresh"_s);
        const QString afterDelete = h.shape();
        h.form->cut().tvPasteAfter_Click(h.form->tree().First());
        QCOMPARE(h.shape(), afterDelete);
    }
};

QTEST_GUILESS_MAIN(TestCutPaste)
#include "test_cut_paste.moc"
