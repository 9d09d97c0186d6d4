#include "FormHarness.h"
#include "WarningsFail.h"
#include "files/PathChecks.h"
#include "icons/ItemIcons.h"
#include "model/ImageKeys.h"
#include "tree/BrokenPaths.h"
#include "tree/TreeMenu.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A tree of a file that is there, two paths that are not (an item and a
// folder), a web address and a folder without a path.
struct Broken : FormHarness {
    Broken() {
        QFile(temp->filePath(u"here.txt"_s)).open(QIODevice::WriteOnly);
        writeSettings({node(u"Here"_s, temp->filePath(u"here.txt"_s), u"leaf"_s),
                       node(u"Gone"_s, temp->filePath(u"gone.txt"_s), u"leaf"_s),
                       node(u"Web"_s, u"https://example.org/"_s, u"leaf"_s),
                       node(u"Lost"_s, temp->filePath(u"lost"_s), u"closed"_s),
                       node(u"Plain"_s, QString(), u"closed"_s)});
    }
    static QString node(const QString& text, const QString& path, const QString& image) {
        return u"Node=%1\t%2\t%3\t\tFalse\t0\tFalse"_s.arg(text, path, image);
    }
    // "+" there, "-" missing, "?" unanswered, in document order.
    QString checks() const {
        QString out;
        for (TreeNode* n = form->tree().First(); n; n = NodeTree::NextInDocumentOrder(n))
            out += n->PathCheck() == PathStatus::There     ? u'+'
                   : n->PathCheck() == PathStatus::Missing ? u'-'
                                                           : u'?';
        return out;
    }
    TreeNode* named(const QString& text) const {
        TreeNode* n = form->tree().First();
        while (n && n->Text() != text)
            n = NodeTree::NextInDocumentOrder(n);
        return n;
    }
};
}  // namespace

class TestBrokenPaths : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // Nothing is looked at while the program is hidden; every local path
    // is at each showing, and a path as soon as it is set. Web addresses
    // and folders without a path count as there. "Find Broken Paths",
    // beside "Delete", is offered while a path is missing and selects the
    // next such node, from the top after the last.
    void pathsAreLookedAtWhenShownAndWhenSet() {
        Broken h;
        h.load();
        h.form->settings().SaveSettings();  // a hidden program reads to save
        QCOMPARE(h.checks(), u"+++++"_s);
        h.click(TrayLeftUp);
        QCOMPARE(h.checks(), u"+-+-+"_s);
        h.named(u"Here"_s)->SetTag(h.temp->filePath(u"nowhere"_s));
        QVERIFY(QFile(h.temp->filePath(u"gone.txt"_s)).open(QIODevice::WriteOnly));
        QCOMPARE(h.checks(), u"--+-+"_s);
        h.form->tvHide_Click();
        h.click(TrayLeftUp);
        QCOMPARE(h.checks(), u"-++-+"_s);

        h.form->tree().SetSelectedItem(h.named(u"Web"_s));
        h.fake.menus.choose(TreeMenuId::tvFindBroken);
        h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 500, 500);
        QVERIFY(h.fake.menus.lastEntry(TreeMenuId::tvFindBroken)->enabled);
        QCOMPARE(h.form->tree().SelectedItem()->Text(), u"Lost"_s);
        h.form->brokenPaths().tvFindBroken_Click();
        QCOMPARE(h.form->tree().SelectedItem()->Text(), u"Here"_s);
        h.form->tree().Remove(h.named(u"Lost"_s));
        h.named(u"Here"_s)->SetTag(h.temp->filePath(u"here.txt"_s));
        h.form->tree().SetSelectedItem(h.named(u"Web"_s));
        h.form->brokenPaths().tvFindBroken_Click();
        QCOMPARE(h.form->tree().SelectedItem()->Text(), u"Web"_s);
        h.fake.menus.choose(TreeMenuId::tvCancel);
        h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 500, 500);
        QVERIFY(!h.fake.menus.lastEntry(TreeMenuId::tvFindBroken)->enabled);
    }

    // A share that does not answer leaves its paths unknown, not missing.
    void aShareThatDoesNotAnswerLeavesItsPathsUnknown() {
        Broken h;
        h.fake.work.hold = true;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"does not answer"_s));
        h.loadAndShow();
        h.wait(PathChecks::DeadlineMs);
        QCOMPARE(h.checks(), u"??+?+"_s);
        QVERIFY(!h.form->brokenPaths().AnyMissing());
    }

    // A web address is the opener's: nothing on disk is asked about it,
    // neither whether it is there nor its kind, whenever the window shows
    // or its path is set. It counts as there and shows the web picture at
    // once; a local path beside it is asked about as ever.
    void aWebAddressIsNeverAskedAboutOnDisk() {
        VirtualClock clock;
        FakeBackgroundWork work;
        work.hold = true;
        FakeImageList images;
        images.hasIcons = true;
        FakeTreeView view;
        NodeTree tree;
        PathChecks checks(work, clock, {});
        ItemIcons icons(images, checks, tree, clock);
        BrokenPaths broken(tree, checks, view, clock);
        const QString waiting = ImageKeys::waiting(u"7"_s);
        for (const QString& path : {u"https://example.org/a?b=c#d"_s, u"HTTP://example.org"_s,
                                    u"mailto:ann@example.org"_s})
            tree.Add(nullptr, tvwLast, QString(), u"Web"_s, waiting)->SetTag(path);
        broken.WindowShown();
        icons.WindowShown();
        tree.First()->SetTag(u"https://example.org/other"_s);
        QCOMPARE(work.held.size(), 0u);
        for (TreeNode* n = tree.First(); n; n = n->Next()) {
            QCOMPARE(n->PathCheck(), PathStatus::There);
            QCOMPARE(n->Image(), ImageKeys::forIndex(ImageKeys::FirstItemIconIndex));
        }
        QCOMPARE(images.handles, QStringList{u"text-html"_s});

        TreeNode* file = tree.Add(nullptr, tvwLast, QString(), u"Gone"_s, waiting);
        file->SetTag(u"/nowhere/gone.txt"_s);
        icons.RequestIcon(file);
        while (work.release()) {
        }
        QCOMPARE(file->PathCheck(), PathStatus::Missing);
    }
};

QTEST_GUILESS_MAIN(TestBrokenPaths)
#include "test_broken_paths.moc"
