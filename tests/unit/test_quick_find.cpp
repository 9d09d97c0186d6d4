// The quick-find pop-up's logic: what it lists, what choosing a row does,
// and a tree that changes under it.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "find/QuickFind.h"
#include "find/QuickFindTexts.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Popped : FormHarness {
    // A node at the end of the top level, or under parent.
    TreeNode* add(const QString& text, const QString& tag, TreeNode* parent = nullptr) {
        TreeNode* node =
            form->tree().Add(parent, parent ? tvwChild : tvwLast, QString(), text, u"leaf"_s);
        node->SetTag(tag);
        return node;
    }
    QuickFind& find() { return form->quickFind(); }
    QStringList captions() const { return fake.quickFind.captions(); }
};
}  // namespace

class TestQuickFind : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Summoned before the window was ever shown, the pop-up reads the
    // settings first, as the tray menu does, and lists the quick list; the
    // caller's token goes with it.
    void nothingTypedListsTheQuickListReadFirst() {
        Popped h;
        h.writeSettings({u"[QuickList]"_s, u"QLI=Editor\t/usr/bin/vi"_s, u"QLI=Tmp\t/tmp"_s});
        h.load();
        h.find().Popup(QString(), u"token-1"_s);
        QVERIFY(h.fake.quickFind.shown);
        QCOMPARE(h.fake.quickFind.token, u"token-1"_s);
        QCOMPARE(h.captions(), (QStringList{u"Editor"_s, u"Tmp"_s}));
        QCOMPARE(h.fake.quickFind.rows.at(0).path, u"/usr/bin/vi"_s);
        QVERIFY(!h.fake.window.visible);
    }

    // An empty quick list with nothing typed: one line that says how to
    // fill it, which cannot be chosen.
    void anEmptyQuickListShowsHowToFillIt() {
        Popped h;
        h.loadAndShow();
        h.add(u"Reports"_s, u"/srv/reports"_s);
        h.find().Popup(QString(), QString());
        QCOMPARE(h.captions(), QStringList{QuickFindTexts::emptyQuickList()});
        QVERIFY(!h.fake.quickFind.rows.at(0).choosable);
        h.find().QuickFind_Choose(0);
        h.wait(1000);
        QVERIFY(h.fake.shell.opened.empty() && h.fake.quickFind.shown);
    }

    // Typing narrows: quick-list entries that match first, then the tree's
    // nodes ranked (label start, word start, middle, then paths), each with
    // its picture and path; a node that is also a quick-list entry shows
    // once; clearing the text brings the quick list back.
    void typingNarrowsAndRanks() {
        Popped h;
        h.loadAndShow();
        TreeNode* folder = h.add(u"Work"_s, QString());
        folder->SetImage(u"closed"_s);
        h.add(u"Old reports"_s, u"/srv/a"_s, folder);
        h.add(u"Taxes"_s, u"/home/me/reports/taxes"_s);
        h.add(u"Unrelated"_s, u"/x"_s);
        h.add(u"Préparations"_s, u"/srv/b"_s);
        h.add(u"Reports archive"_s, u"/srv/c"_s);
        h.add(u"Reports"_s, u"/srv/d"_s);
        for (const QString& quick : {u"Quick report"_s, u"Repair kit"_s}) {
            h.form->tree().SetSelectedItem(h.add(quick, u"/srv/q"_s));
            h.form->tray().tvAddQuickList_Click();
        }
        h.find().Popup(u"rep"_s, QString());
        QCOMPARE(h.captions(), (QStringList{u"Repair kit"_s, u"Quick report"_s, u"Reports"_s,
                                            u"Reports archive"_s, u"Old reports"_s,
                                            u"Préparations"_s, u"Taxes"_s}));
        QCOMPARE(h.fake.quickFind.rows.at(6).path, u"/home/me/reports/taxes"_s);
        QCOMPARE(h.fake.quickFind.rows.at(6).image, u"leaf"_s);
        h.find().QuickFind_Change(u"wor"_s);
        QCOMPARE(h.captions(), QStringList{u"Work"_s});
        QCOMPARE(h.fake.quickFind.rows.at(0).image, u"closed"_s);
        h.find().QuickFind_Change(u"zzz"_s);
        QVERIFY(h.captions().isEmpty());
        h.find().QuickFind_Change(u" "_s);
        QCOMPARE(h.captions(), (QStringList{u"Quick report"_s, u"Repair kit"_s}));
    }

    // Only the best rows of a large tree are listed, and they are the best
    // ones wherever they stand in the tree.
    void aLargeTreeListsItsBestRows() {
        Popped h;
        h.loadAndShow();
        for (int i = 0; i < QuickFind::MaxNodeRows * 2; ++i)
            h.add(u"Draft %1"_s.arg(i), u"/d"_s);
        h.add(u"Draft"_s, u"/best"_s);
        h.find().Popup(u"draft"_s, QString());
        QCOMPARE(h.captions().size(), QuickFind::MaxNodeRows);
        QCOMPARE(h.captions().at(0), u"Draft"_s);
        QCOMPARE(h.captions().at(1), u"Draft 0"_s);
    }

    // Enter opens the row's path as a quick-list entry opens: a moment
    // later, the pop-up closed, the window left alone; a failure is told
    // with the quick list's message.
    void choosingOpensThePathAndTellsAFailure() {
        Popped h;
        h.loadAndShow();
        h.form->tvHide_Click();
        const QString file = h.temp->filePath(u"notes.txt"_s);
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        h.add(u"Notes"_s, file);
        h.add(u"Nothing"_s, h.temp->filePath(u"gone"_s));
        h.find().Popup(u"no"_s, QString());
        h.find().QuickFind_Choose(0);
        QVERIFY(!h.fake.quickFind.shown);
        h.wait(250);
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(file)});
        QVERIFY(!h.fake.window.visible && h.fake.messages.shown.empty());

        h.find().Popup(u"noth"_s, QString());
        h.find().QuickFind_Choose(0);
        h.wait(250);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QCOMPARE(h.fake.messages.shown.at(0).text, u"Item is unavailable or no longer exist."_s);
        QCOMPARE(h.fake.messages.shown.at(0).title, u"Warning"_s);
        h.find().QuickFind_Choose(0);  // the rows went with the pop-up
        h.wait(250);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
    }

    // Ctrl+Enter brings the window up with the node selected, its
    // ancestors expanded and its row scrolled to; a node without a path
    // shows so on Enter too, having nothing to open, and a quick-list entry
    // shows the node it was made from.
    void showingInTheWindowSelectsTheNode() {
        Popped h;
        h.loadAndShow();
        h.form->tvHide_Click();
        TreeNode* folder = h.add(u"Work"_s, QString());
        TreeNode* deep = h.add(u"Deep"_s, u"/srv/deep"_s, folder);
        h.add(u"Other"_s, u"/srv/other"_s);
        // A filter that hides the node ends: the node is shown where it is.
        h.form->filter().FilterKey_Press();
        h.form->filter().FilterLine_Change(u"other"_s);
        h.find().Popup(u"deep"_s, QString());
        h.find().QuickFind_ShowInWindow(0);
        QVERIFY(!h.form->filter().Filtering() && !h.fake.filterLine.shown);
        QVERIFY(!h.fake.quickFind.shown && h.fake.window.visible);
        QCOMPARE(h.form->tree().SelectedItem(), deep);
        QVERIFY(folder->Expanded());
        QCOMPARE(h.fake.treeView.scrolledTo.back(), deep);

        h.find().Popup(u"work"_s, QString());
        h.find().QuickFind_Choose(0);
        h.wait(1000);
        QCOMPARE(h.form->tree().SelectedItem(), folder);
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.window.broughtToFront, 1);

        // A quick-list entry shows the first node it was made from.
        h.form->tree().SetSelectedItem(deep);
        h.form->tray().tvAddQuickList_Click();
        h.form->tree().SetSelectedItem(nullptr);
        h.find().Popup(QString(), QString());
        h.find().QuickFind_ShowInWindow(0);
        QCOMPARE(h.form->tree().SelectedItem(), deep);
    }

    // The tree replaced or changed while the pop-up is open: a row whose
    // node went, or changed, selects nothing, and nothing reads the node
    // that went (the sanitizer build tells).
    void aTreeChangedUnderThePopupIsNotTrusted() {
        Popped h;
        h.loadAndShow();
        h.add(u"Alpha"_s, u"/a"_s);
        h.add(u"Alpine"_s, u"/b"_s);
        h.find().Popup(u"alp"_s, QString());
        h.form->tree().Remove(1);
        h.form->tree().Remove(1);
        TreeNode* replaced = h.add(u"Alpha"_s, u"/other"_s);
        h.find().QuickFind_ShowInWindow(0);
        QCOMPARE(h.form->tree().SelectedItem(), nullptr);
        QVERIFY(h.fake.window.visible);

        h.find().Popup(u"alp"_s, QString());
        replaced->SetText(u"Beta"_s);
        h.find().QuickFind_ShowInWindow(0);
        QCOMPARE(h.form->tree().SelectedItem(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestQuickFind)
#include "test_quick_find.moc"
