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
const QStringList Labels = u"Work Docs Deep Notes Memo Game Empty"_s.split(u' ');
const QStringList Folders = {{}, u"Work"_s, u"Docs"_s, u"Docs"_s, u"Work"_s, {}, {}};

// A shown window whose tree holds Work+ (Docs+ (Deep, Notes), Memo), Game,
// Empty; each node is hit at (10, its y), empty space at (500, 500).
struct Moves : FormHarness {
    Moves() {
        loadAndShow();
        for (int i = 0; i < Labels.size(); ++i) {
            TreeNode* folder = Folders[i].isEmpty() ? nullptr : at(Folders[i]);
            const bool isFolder = i < 2 || Labels[i] == u"Empty";
            TreeNode* n = form->tree().Add(folder, folder ? tvwChild : tvwLast, QString(),
                                           Labels[i], isFolder ? u"closed"_s : u"leaf"_s);
            n->SetTag(u"/p/"_s + Labels[i]);
            n->SetExpanded(i < 2);
            fake.treeView.hits[{10, y(Labels[i])}] = n;
        }
        form->history().Clear();
    }
    static float y(const QString& name) { return 10.0f * float(Labels.indexOf(name) + 1); }
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
        const float x = on.isEmpty() ? 500 : 10;
        form->treeMouse().TreeView_MouseDown(ButtonRight, 0, x, on.isEmpty() ? 500 : y(on));
    }
    // The node selected by a click, then Ctrl and the key.
    void ctrlKey(const QString& on, int key) {
        form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, y(on));
        form->treeMouse().TreeView_MouseUp(ButtonLeft, 0, 10, y(on));
        form->treeMouse().TreeView_KeyDown(key, ShiftCtrl);
    }
    // Enabled entries among Cut, Paste Inside, Before, After, as "CIBA".
    QString enabled() const {
        const Id ids[] = {Id::tvCut, Id::tvPasteInside, Id::tvPasteBefore, Id::tvPasteAfter};
        QString on;
        for (int i = 0; i < 4; ++i) {
            const MenuEntry* entry = fake.menus.lastEntry(ids[i]);
            on += entry && entry->enabled ? QChar(u"CIBA"[i]) : u'-';
        }
        return on;
    }
    void drag(const QString& from, const QString& onto, TreeDropMenuId choice) {
        form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 10, y(from));
        form->treeMouse().TreeView_MouseMove(ButtonLeft, 0, 12, y(from));
        fake.menus.choose(choice);
        form->treeDrop().TreeView_DragDrop(DragSource::TreeView, 10, y(onto));
    }
};
}  // namespace

class TestCutPaste : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // After "Rename", the entries in their order; a paste only with a node
    // cut, onto another node, inside only a folder; none of them while
    // filtered.
    void theEntriesFollowTheCut() {
        Moves h;
        h.menu(u"Work"_s);
        QStringList captions;
        for (const MenuEntry& e : h.fake.menus.shown.back().children)
            captions << (e.kind == MenuEntry::Kind::Separator ? u"-"_s : e.caption);
        QVERIFY(captions.join(u'|').contains(
            u"Rename|-|Cut|Paste Inside|Paste Before|Paste After|-|Add to Quick List"_s));
        QCOMPARE(h.enabled(), u"C---"_s);  // nothing cut yet

        h.menu(u"Game"_s, Id::tvCut);
        for (const QString& c : {u"Work=CIBA"_s, u"Memo=C-BA"_s, u"Game=C---"_s, u"=----"_s}) {
            h.menu(c.section(u'=', 0, 0));
            QCOMPARE(c.section(u'=', 0, 0) + u'=' + h.enabled(), c);
        }
        h.form->filter().FilterKey_Press();
        h.form->filter().FilterLine_Change(u"o"_s);
        h.menu(u"Work"_s);
        QCOMPARE(h.enabled(), u"----"_s);
    }

    // Each paste leaves the tree as the drag dropped there with the same
    // place chosen, is one "Move" that Undo takes back, and ends the cut;
    // a folder pasted into its own subtree is refused as its drop is.
    void aPasteMovesAsTheDropOfADrag() {
        const struct {
            Id entry;
            TreeDropMenuId drop;
        } pastes[] = {{Id::tvPasteInside, TreeDropMenuId::tdInside},
                      {Id::tvPasteBefore, TreeDropMenuId::tdBefore},
                      {Id::tvPasteAfter, TreeDropMenuId::tdAfter}};
        for (const char* move : {"Game>Empty", "Docs>Game", "Notes>Memo", "Docs>Work", "Deep>Docs",
                                 "Work>Docs", "Work>Deep"}) {
            const QString from = QString::fromLatin1(move).section(u'>', 0, 0);
            const QString onto = QString::fromLatin1(move).section(u'>', 1);
            for (const auto& p : pastes) {
                if (p.entry == Id::tvPasteInside && !u"Work Docs Empty"_s.contains(onto))
                    continue;
                Moves dragged, pasted;
                dragged.drag(from, onto, p.drop);
                const QString before = pasted.shape();
                pasted.menu(from, Id::tvCut);
                pasted.menu(onto, p.entry);
                const QString what = QLatin1String(move) + u' ' + QString::number(int(p.entry));
                QVERIFY2(pasted.text() == dragged.text(), qPrintable(what));
                QCOMPARE(pasted.fake.pathLabel.text, dragged.fake.pathLabel.text);
                QCOMPARE(pasted.fake.messages.shown.size(), dragged.fake.messages.shown.size());
                QVERIFY(!pasted.form->cut().CutNode());
                if (from == u"Work") {  // into its own subtree
                    QCOMPARE(pasted.fake.messages.shown.at(0).title, u"Illegal Drop"_s);
                    continue;
                }
                QCOMPARE(pasted.form->history().UndoCaption(), u"Move"_s);
                pasted.form->treeMouse().TreeView_KeyDown(KeyZ, ShiftCtrl);
                QVERIFY2(pasted.shape() == before, qPrintable(what));
            }
        }
    }

    // Ctrl+X cuts the selected node, Ctrl+V pastes it after the selected
    // one; Escape, or a node leaving the tree, calls the cut off, so that a
    // node removed, or one made in its place, never moves.
    void theKeysAndWhatCallsACutOff() {
        Moves h, dragged;
        dragged.drag(u"Game"_s, u"Deep"_s, TreeDropMenuId::tdAfter);
        h.ctrlKey(u"Game"_s, KeyX);
        h.ctrlKey(u"Deep"_s, KeyV);
        QVERIFY(h.text() == dragged.text());

        const QString before = h.shape();
        h.ctrlKey(u"Memo"_s, KeyX);
        h.form->treeMouse().TreeView_KeyDown(KeyEscape, 0);
        h.ctrlKey(u"Work"_s, KeyV);
        QCOMPARE(h.shape(), before);

        h.ctrlKey(u"Memo"_s, KeyX);
        h.menu(u"Notes"_s, Id::tvDelete);  // another node goes: the cut goes too
        QVERIFY(!h.form->cut().CutNode());
        h.ctrlKey(u"Memo"_s, KeyX);
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
