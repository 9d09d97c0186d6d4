// Files and folders dropped from the desktop onto the tree: the drop menu,
// where the new nodes go, their labels and pictures, refusals, and what the
// next save keeps of them.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "files/OneLine.h"
#include "files/PathChecks.h"
#include "tree/ExternalDrop.h"
#include "tree/TreeDropMenu.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Id = TreeDropMenuId;

namespace {
// A shown window whose tree holds the folder Work and the item Notes, each
// hit 520 twips across on its own row, and a directory to drop from.
struct Dropping {
    FormHarness h;
    QTemporaryDir files;
    TreeNode* work = nullptr;
    TreeNode* notes = nullptr;

    Dropping() {
        h.loadAndShow();
        work = add(u"Work"_s, u"closed"_s, 0);
        notes = add(u"Notes"_s, u"leaf"_s, 1);
    }
    NodeTree& tree() { return h.form->tree(); }
    ExternalDrop& drop() { return h.form->externalDrop(); }
    TreeNode* add(const QString& text, const QString& image, int row) {
        TreeNode* node = tree().Add(nullptr, tvwLast, QString(), text, image);
        h.fake.treeView.hits[{520, yOf(row)}] = node;
        return node;
    }
    static float yOf(int row) { return 150.0f * row + 75; }
    static constexpr int EmptyRow = 8;

    // Files (or, ending in "/", directories) made under the temporary
    // directory; their full paths as the desktop gives them.
    QStringList make(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names) {
            paths << files.filePath(name);
            name.endsWith(u'/') ? QDir().mkpath(paths.last())
                                : QFile(paths.last()).open(QIODevice::WriteOnly);
        }
        return paths;
    }
    void dropAt(int row, const QStringList& paths) {
        drop().TreeView_OLEDragDrop({true, paths}, 520, yOf(row));
    }
    // The tree as "Work[a,b],Notes".
    QString outline(TreeNode* first = nullptr) {
        QStringList parts;
        for (TreeNode* node = first ? first : tree().First(); node; node = node->Next())
            parts << node->Text() + (node->Child() ? u'[' + outline(node->Child()) + u']' : u""_s);
        return parts.join(u',');
    }
};
}  // namespace

class TestExternalDrop : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Every new node is placed by the target, after the menu fitting it:
    // inside and before keep the drop's order, after reverses it; on empty
    // space, with no menu, they end the top level. The last one added ends
    // selected, highlighted, shown and in the path label, and the target's
    // marker is gone. The marker finds the target only when the target wears
    // it: a node that carries the same key already neither draws the new
    // nodes nor loses its key, and a target keeps its own.
    void thePathsGoWhereTheMenuSays_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<Id>("choice");
        QTest::addColumn<QString>("outline");
        QTest::newRow("inside") << 0 << Id::tdInside << u"Work[a,b,c],Notes"_s;
        QTest::newRow("before") << 1 << Id::tdBefore << u"Work,a,b,c,Notes"_s;
        QTest::newRow("after") << 0 << Id::tdAfter << u"Work,c,b,a,Notes"_s;
        QTest::newRow("after, keyed") << 0 << Id::tdAfter << u"Work,c,b,a,Notes"_s;
        QTest::newRow("empty space") << Dropping::EmptyRow << Id::tdCancel << u"Work,Notes,a,b,c"_s;
    }

    void thePathsGoWhereTheMenuSays() {
        QFETCH(int, row);
        QFETCH(Id, choice);
        QFETCH(QString, outline);
        Dropping d;
        const bool keyed = QByteArray(QTest::currentDataTag()).endsWith("keyed");
        QVERIFY(!keyed || (d.notes->SetKey(u"tdDrop"_s) && d.work->SetKey(u"mine"_s)));
        const QStringList paths = d.make({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
        d.h.fake.menus.choose(choice);
        d.dropAt(row, paths);
        QCOMPARE(d.outline(), outline);
        QCOMPARE(d.h.fake.menus.shown.size(), size_t(row != Dropping::EmptyRow));
        TreeNode* last = d.tree().SelectedItem();
        QCOMPARE(d.work->Key() + d.notes->Key(), keyed ? u"minetdDrop"_s : QString());
        QVERIFY(last->Tag() == paths.last() && d.tree().DropHighlight() == last);
        QVERIFY(!last->Parent() || last->Parent()->Expanded());
        QCOMPARE(d.h.fake.pathLabel.text, u' ' + paths.last());
    }

    // A directory keeps its whole name and is a folder; a file loses what
    // follows its first "." and shows its icon, or "leaf" when it has none.
    // One the image list could not take stays waiting, to be looked up
    // again at the next start.
    void labelsAndPicturesFollowThePath_data() {
        QTest::addColumn<QString>("name");  // under the temporary directory; "/" is the root
        QTest::addColumn<int>("icons");     // 0 none, 1 each its own, 2 refused by the list
        QTest::addColumn<QString>("node");  // label, Image, ExpandedImage
        QTest::newRow("directory with a dot") << u"My.Docs/"_s << 1 << u"My.Docs closed open"_s;
        QTest::newRow("root") << u"/"_s << 1 << u"/ closed open"_s;
        QTest::newRow("file, two dots") << u"report.final.txt"_s << 0 << u"report leaf "_s;
        QTest::newRow("icon not taken") << u"song.ogg"_s << 2 << u"song ?4 "_s;
        QTest::newRow("dot file") << u".profile"_s << 1 << u".profile 4 "_s;
    }

    void labelsAndPicturesFollowThePath() {
        QFETCH(QString, name);
        QFETCH(int, icons);
        QFETCH(QString, node);
        Dropping d;
        d.h.fake.images.hasIcons = icons > 0;
        d.h.fake.images.refuseAdds = icons == 2;
        const QString path = name == u"/"_s ? name : d.make({name})[0];
        d.dropAt(Dropping::EmptyRow, {path});
        TreeNode* added = d.tree().SelectedItem();
        QCOMPARE(added->Text() + u' ' + added->Image() + u' ' + added->ExpandedImage(), node);
        QCOMPARE(added->Tag(), path);
    }

    // A drag that cannot copy files is refused over the whole tree and drops
    // nothing; an acceptable one moves the selection with the pointer and
    // leaves the path label alone. A menu closed without a choice, or Cancel,
    // adds nothing, also after a drop that went inside.
    void refusalsAndDismissalsAddNothing() {
        Dropping d;
        const QStringList paths = d.make({u"a.txt"_s});
        d.h.fake.pathLabel.text = u" /before"_s;
        for (const ShellDropData& refused :
             {ShellDropData{false, paths}, ShellDropData{true, {}}}) {
            QVERIFY(!d.drop().TreeView_OLEDragOver(refused, 520, Dropping::yOf(1)));
            d.drop().TreeView_OLEDragDrop(refused, 520, Dropping::yOf(1));
        }
        QVERIFY(d.h.fake.menus.shown.empty());
        QVERIFY(d.drop().TreeView_OLEDragOver({true, paths}, 520, Dropping::yOf(1)));
        QVERIFY(d.notes->Selected() && d.tree().DropHighlight() == d.notes);
        QCOMPARE(d.h.fake.pathLabel.text, u" /before"_s);
        d.h.fake.menus.choose(Id::tdInside);
        d.dropAt(0, paths);
        d.dropAt(0, paths);  // dismissed, as Escape does
        d.h.fake.menus.choose(Id::tdCancel);
        d.dropAt(1, paths);
        QCOMPARE(d.outline(), u"Work[a],Notes"_s);
        QVERIFY(!d.h.fake.menus.lastEntry(Id::tdInside)->enabled);  // Notes is an item
    }

    // A path that cannot be kept as it is (a name that was not UTF-8, a
    // NUL, a TAB, a line break) is never stored as another: the others
    // still come, and one box names the first ten left out and counts the
    // rest. A drop of nothing else asks nothing and adds nothing.
    void pathsThatCannotBeKeptAreLeftOutAndToldOnce() {
        Dropping d;
        const QString a = d.make({u"a.txt"_s})[0];
        QStringList odd{d.files.filePath(u"bad\xdcff.txt"_s), a + QChar(u'\0') + u"b"_s};
        for (int i = 0; i < 10; ++i)
            odd << d.files.filePath(u"line %1\ntab\t"_s.arg(i));
        d.dropAt(Dropping::EmptyRow, QStringList{odd[0], a} + odd.mid(1));
        d.h.fake.menus.choose(Id::tdInside);
        d.dropAt(0, odd.mid(0, 2));
        QCOMPARE(d.outline(), u"Work,Notes,a"_s);
        QVERIFY(d.h.fake.menus.shown.empty());
        QCOMPARE(d.h.fake.messages.shown.size(), size_t(2));
        const ShownMessage& many = d.h.fake.messages.shown.front();
        for (const QString& path : odd)
            QCOMPARE(many.text.contains(OneLine(path)), path != odd.last() && path != odd[10]);
        QVERIFY(many.text.contains(u"and 2 more"_s));
    }

    // Web addresses go where the menu says as files do, each an item
    // labelled by its page's title or its host and path, with the web
    // picture: nothing on disk is asked about them, so a share that does not
    // answer holds back only the files beside them, which keep their places
    // in the drop's order. One step of undo takes the whole drop back.
    // Paths from a share that does not answer are left out and told once;
    // the menu was answered at once, and the window never waited. A drop
    // whose target went while the answers came adds nothing.
    void webAddressesComeWithoutAskingTheDiskAndASilentShareIsLeftOut() {
        Dropping d;
        d.h.fake.images.hasIcons = true;
        d.h.fake.work.hold = true;
        const QString web = u"https://example.org/docs/"_s, mail = u"mailto:ann@example.org"_s;
        d.h.fake.menus.choose(Id::tdInside);
        d.drop().TreeView_OLEDragDrop({true, {web, mail}, {{mail, u" Ann\n"_s}}}, 520,
                                      Dropping::yOf(0));
        QVERIFY(d.h.fake.work.held.empty());
        QCOMPARE(d.outline(), u"Work[example.org/docs,Ann],Notes"_s);
        QCOMPARE(d.h.fake.images.handles, QStringList{u"text-html"_s});

        const QString a = d.make({u"a.txt"_s})[0];
        d.dropAt(Dropping::EmptyRow, {web, a, mail});
        QCOMPARE(d.h.fake.work.held.size(), 1u);
        QVERIFY(d.h.fake.work.release(0));
        QCOMPARE(d.outline(),
                 u"Work[example.org/docs,Ann],Notes,example.org/docs,a,ann@example.org"_s);
        d.h.form->undo().tvUndo_Click();
        QCOMPARE(d.outline(), u"Work[example.org/docs,Ann],Notes"_s);

        const QStringList paths = d.make({u"a.txt"_s, u"b.txt"_s});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"does not answer"_s));
        d.h.fake.menus.choose(Id::tdInside);
        d.dropAt(0, paths);
        QCOMPARE(d.h.fake.menus.shown.size(), size_t(2));
        d.h.wait(PathChecks::DeadlineMs);
        QCOMPARE(d.outline(), u"Work[example.org/docs,Ann],Notes"_s);
        QVERIFY(d.h.fake.messages.shown.at(0).text.contains(OneLine(paths[1])));
        QVERIFY(d.h.fake.statusBar.shown.contains(u"does not answer"_s));
        QVERIFY(d.h.fake.work.release(0));  // the share answers again
        d.h.wait(PathChecks::RememberedMs);
        d.h.fake.menus.choose(Id::tdInside);
        d.dropAt(0, paths);
        d.tree().Remove(d.work);
        QVERIFY(d.h.fake.work.release(0));
        QCOMPARE(d.outline(), u"Notes"_s);
    }
};

QTEST_GUILESS_MAIN(TestExternalDrop)
#include "test_external_drop.moc"
