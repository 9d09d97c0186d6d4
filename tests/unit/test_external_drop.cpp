// Files and folders dropped from the desktop onto the tree: the drop menu,
// where the new nodes go, their labels and pictures, refusals, and what the
// next save keeps of them.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "tree/ExternalDrop.h"
#include "tree/TreeDropMenu.h"

#include <QDir>
#include <QFile>
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
        TreeNode* const top = nullptr;
        TreeNode* node = tree().Add(top, tvwLast, QString(), text, image);
        h.fake.treeView.hits[{520, yOf(row)}] = node;
        return node;
    }
    static float yOf(int row) { return 150.0f * row + 75; }
    static constexpr int EmptyRow = 8;

    // A file (or, ending in "/", a directory) made under the temporary
    // directory; its full path as the desktop gives it.
    QString make(const QString& name) {
        const QString path = files.filePath(name);
        name.endsWith(u'/') ? QDir().mkpath(path) : QFile(path).open(QIODevice::WriteOnly);
        return path;
    }
    QStringList makeAll(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names)
            paths << make(name);
        return paths;
    }
    void dropAt(int row, const QStringList& paths, bool copyAllowed = true) {
        drop().TreeView_OLEDragDrop({copyAllowed, paths}, 520, yOf(row));
    }
    // The tree as "Work[a,b],Notes".
    QString outline(TreeNode* first = nullptr) {
        QStringList parts;
        for (TreeNode* node = first ? first : tree().First(); node; node = node->Next()) {
            parts << node->Text();
            if (node->Child())
                parts.last() += u'[' + outline(node->Child()) + u']';
        }
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
    // marker is gone.
    void thePathsGoWhereTheMenuSays_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<Id>("choice");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("menu");  // "-" marks a disabled entry; the separator is blank
        QTest::newRow("inside") << 0 << Id::tdInside << u"Work[a,b,c],Notes"_s
                                << u"Drop Inside The Folder|Drop Before The Folder|"
                                   "Drop After The Folder||Cancel"_s;
        QTest::newRow("before") << 1 << Id::tdBefore << u"Work,a,b,c,Notes"_s
                                << u"Drop Inside The Item-|Drop Before The Item|"
                                   "Drop After The Item||Cancel"_s;
        QTest::newRow("after") << 0 << Id::tdAfter << u"Work,c,b,a,Notes"_s << QString();
        QTest::newRow("empty space")
            << Dropping::EmptyRow << Id::tdCancel << u"Work,Notes,a,b,c"_s << QString();
    }

    void thePathsGoWhereTheMenuSays() {
        QFETCH(int, row);
        QFETCH(Id, choice);
        QFETCH(QString, outline);
        QFETCH(QString, menu);
        Dropping d;
        const QStringList paths = d.makeAll({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
        d.h.fake.menus.choose(choice);
        d.dropAt(row, paths);
        QCOMPARE(d.outline(), outline);
        QCOMPARE(d.h.fake.menus.shown.size(), size_t(row != Dropping::EmptyRow));
        if (!menu.isEmpty()) {
            QStringList shown;
            for (const MenuEntry& entry : d.h.fake.menus.shown[0].children)
                shown << entry.caption + (entry.enabled ? u""_s : u"-"_s);
            QCOMPARE(shown.join(u'|'), menu);
        }
        TreeNode* last = d.tree().SelectedItem();
        QCOMPARE(last->Tag(), paths.last());
        QCOMPARE(d.tree().DropHighlight(), last);
        QVERIFY(!last->Parent() || last->Parent()->Expanded());
        QCOMPARE(d.h.fake.treeView.scrolledTo.back(), last);
        QCOMPARE(d.h.fake.pathLabel.text, u' ' + paths.last());
        QVERIFY(d.work->Key().isEmpty() && d.notes->Key().isEmpty());
    }

    // A directory keeps its whole name and is a folder; a file loses what
    // follows its first "." and shows its icon, or "leaf" when it has none or
    // the image list could not take it.
    void labelsAndPicturesFollowThePath_data() {
        QTest::addColumn<QString>("name");  // under the temporary directory; "/" is the root
        QTest::addColumn<int>("icons");     // 0 none, 1 each its own, 2 refused by the list
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("images");  // Image, ExpandedImage
        QTest::newRow("directory with a dot")
            << u"My.Docs/"_s << 1 << u"My.Docs"_s << u"closed open"_s;
        QTest::newRow("root") << u"/"_s << 1 << u"/"_s << u"closed open"_s;
        QTest::newRow("file, two dots") << u"report.final.txt"_s << 0 << u"report"_s << u"leaf "_s;
        QTest::newRow("icon not taken") << u"song.ogg"_s << 2 << u"song"_s << u"leaf "_s;
        QTest::newRow("dot file") << u".profile"_s << 1 << u".profile"_s << u"4 "_s;
    }

    void labelsAndPicturesFollowThePath() {
        QFETCH(QString, name);
        QFETCH(int, icons);
        QFETCH(QString, label);
        QFETCH(QString, images);
        Dropping d;
        d.h.fake.images.hasIcons = icons > 0;
        d.h.fake.images.refuseAdds = icons == 2;
        const QString path = name == u"/"_s ? name : d.make(name);
        d.dropAt(Dropping::EmptyRow, {path});
        TreeNode* node = d.tree().SelectedItem();
        QCOMPARE(node->Text(), label);
        QCOMPARE(node->Image() + u' ' + node->ExpandedImage(), images);
        QCOMPARE(node->Tag(), path);
    }

    // A drag that cannot copy files is refused over the whole tree and drops
    // nothing; an acceptable one moves the selection with the pointer and
    // leaves the path label alone. A menu closed without a choice, or Cancel,
    // adds nothing, also after a drop that went inside.
    void refusalsAndDismissalsAddNothing() {
        Dropping d;
        const QStringList paths = d.makeAll({u"a.txt"_s});
        d.h.fake.pathLabel.text = u" /before"_s;
        for (const ShellDropData& refused :
             {ShellDropData{false, paths}, ShellDropData{true, {}}}) {
            QVERIFY(!d.drop().TreeView_OLEDragOver(refused, 520, Dropping::yOf(1)));
            d.drop().TreeView_OLEDragDrop(refused, 520, Dropping::yOf(1));
        }
        QCOMPARE(d.tree().DropHighlight(), nullptr);
        QVERIFY(d.h.fake.menus.shown.empty());
        QCOMPARE(d.outline(), u"Work,Notes"_s);

        QVERIFY(d.drop().TreeView_OLEDragOver({true, paths}, 520, Dropping::yOf(1)));
        QCOMPARE(d.tree().DropHighlight(), d.notes);
        QCOMPARE(d.tree().SelectedItem(), d.notes);
        QVERIFY(
            d.drop().TreeView_OLEDragOver({true, paths}, 520, Dropping::yOf(Dropping::EmptyRow)));
        QCOMPARE(d.tree().DropHighlight(), nullptr);
        QCOMPARE(d.h.fake.pathLabel.text, u" /before"_s);

        d.h.fake.menus.choose(Id::tdInside);
        d.dropAt(0, paths);
        d.dropAt(0, paths);  // dismissed, as Escape does
        d.h.fake.menus.choose(Id::tdCancel);
        d.dropAt(1, paths);
        QCOMPARE(d.outline(), u"Work[a],Notes"_s);
        QVERIFY(d.notes->Selected() && d.tree().DropHighlight() == d.notes);
    }

    // The marker finds the target only when the target wears it: a node that
    // carries the same key already neither draws the new nodes nor loses its
    // key, and a target keeps its own.
    void aNodeKeyedLikeTheMarkerIsLeftAlone() {
        Dropping d;
        QVERIFY(d.notes->SetKey(u"tdDrop"_s));
        QVERIFY(d.work->SetKey(u"mine"_s));
        d.h.fake.menus.choose(Id::tdAfter);
        d.dropAt(0, d.makeAll({u"a.txt"_s}));
        QCOMPARE(d.outline(), u"Work,a,Notes"_s);
        QCOMPARE(d.notes->Key(), u"tdDrop"_s);
        QCOMPARE(d.work->Key(), u"mine"_s);
    }

    void theNextSaveKeepsTheDroppedNodes() {
        Dropping d;
        const QString folder = d.make(u"Music/"_s);
        const QString file = d.make(u"notes.txt"_s);
        d.dropAt(Dropping::EmptyRow, {folder, file});
        d.h.wait(60000);
        const QStringList nodes = d.h.settingsLines().filter(QRegularExpression(u"^Node="_s));
        QCOMPARE(nodes.mid(2),
                 (QStringList{u"Node=Music\t"_s + folder + u"\tclosed\topen\tFalse\t0\tFalse"_s,
                              u"Node=notes\t"_s + file + u"\tleaf\t\tFalse\t0\tTrue"_s}));
    }
};

QTEST_GUILESS_MAIN(TestExternalDrop)
#include "test_external_drop.moc"
