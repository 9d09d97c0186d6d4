// The file manager's bookmarks brought in from real-world files, and the
// tree written out as bookmarks and read back.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "model/TreeHistory.h"
#include "tree/BookmarkFiles.h"
#include "tree/TreeMenu.h"
#include "tree/TreeUndo.h"

#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace {
// A shown window whose tree holds the paths given, one top-level item each.
struct Bookmarks : FormHarness {
    explicit Bookmarks(const QStringList& kept = {}) {
        QStringList lines;
        for (const QString& path : kept)
            lines << u"Node=Kept\t%1\tleaf\t\tFalse\t0\tFalse"_s.arg(path);
        writeSettings(lines);
        loadAndShow();
    }
    // The data file given as the GTK (kde false) or KDE source.
    void source(const QString& name, bool kde) const {
        writeFile(kde ? paths.kdePlaces : paths.gtkBookmarks,
                  contentOf(QStringLiteral(VARNEL_TEST_DATA "/bookmarks/") + name));
    }
    // Chooses the entry of the tree's menu opened at the point (empty space
    // unless a hit says otherwise).
    void menu(TreeMenuId id, float x = 500, float y = 500) {
        fake.menus.choose(id);
        form->treeMouse().TreeView_MouseDown(ButtonRight, 0, x, y);
    }
    // "label|path" of each node under the last top-level node, when that is
    // a folder "Bookmarks"; none otherwise.
    QStringList imported() const {
        const NodeTree& tree = form->tree();
        TreeNode* last = tree.TopLevelAt(tree.TopLevelCount() - 1);
        if (!last || last->Text() != u"Bookmarks"_s || !last->IsFolder())
            return {u"(none)"_s};
        QStringList items;
        for (TreeNode* n = last->Child(); n; n = n->Next())
            items << n->Text() + u'|' + n->Tag();
        return items;
    }
    QString told() const {
        return fake.messages.shown.empty() ? QString() : fake.messages.shown.back().text;
    }
};

// Each bookmark as its title after the titles of the folders around it,
// and its address: "Work/Maps/Atlas|file:///…", the nesting a file keeps.
QStringList outline(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&in);
    QStringList folders, titles;
    QString href;  // of the bookmark whose title comes next
    bool folder = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"title"_s) {
            const QString title = xml.readElementText();
            if (folder)
                folders.back() = title;
            else
                titles << (folders + QStringList{title}).join(u'/') + u'|' + href;
        } else if (xml.isStartElement()) {
            folder = xml.name() == u"folder"_s;
            href = xml.attributes().value(u"href"_s).toString();
            if (folder)
                folders << QString();
        } else if (xml.isEndElement() && xml.name() == u"folder"_s) {
            folders.removeLast();
        }
    }
    return titles;
}

const QString Imported9 = u"9 bookmarks were imported into the folder \"Bookmarks\"."_s;
const QString NotKept2 =
    u"2 paths were left out: their names are not valid UTF-8 text or hold line breaks."_s;
const QStringList FromGtk{u"Documents|/home/ann/Documents"_s,
                          u"Music Library|/home/ann/Music Library"_s,
                          u"München 2026|/home/ann/Projekte/München 2026"_s,
                          u"Work Stuff|/home/ann/Work Stuff"_s, u"✓ done|/tmp/✓ done"_s};
const QStringList FromKde{u"Home|/home/ann"_s,
                          u"Desktop|/home/ann/Desktop"_s,
                          u"Root|/"_s,
                          u"My music|/home/ann/Music Library"_s,
                          u"Data & more|/srv/data & more"_s,
                          u"USB stick|/media/ann/USB stick"_s};
}  // namespace

class TestBookmarks : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // Each file as a file manager writes it; %G and %K in a message stand
    // for the GTK and the KDE file's paths.
    void importsTheFileManagersBookmarks_data() {
        QTest::addColumn<QString>("gtk");
        QTest::addColumn<QString>("kde");
        QTest::addColumn<QStringList>("inTree");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("message");
        QTest::newRow("KDE: system places, hidden, folders")
            << QString() << u"kde_user_places.xbel"_s << QStringList() << FromKde
            << u"6 bookmarks were imported into the folder \"Bookmarks\".\n1 address that is "
               "not a local file (such as sftp: or smb:) was not imported."_s;
        QStringList both = FromGtk + FromKde;
        both.removeOne(u"Desktop|/home/ann/Desktop"_s);         // in the tree already
        both.removeOne(u"My music|/home/ann/Music Library"_s);  // GTK has it
        QTest::newRow("both, one path in the tree")
            << u"gtk_bookmarks"_s << u"kde_user_places.xbel"_s
            << QStringList{u"/home/ann/Desktop/"_s} << both
            << Imported9 +
                   u"\n1 was already in the tree.\n3 addresses that are not local files "
                   "(such as sftp: or smb:) were not imported.\n"_s +
                   NotKept2;
        QTest::newRow("CRLF lines, all in the tree")
            << u"gtk_crlf_bookmarks"_s << QString()
            << QStringList{u"/home/ann/Desktop"_s, u"/home/ann/Downloads old"_s}
            << QStringList{u"(none)"_s}
            << u"There are no new bookmarks to import.\n2 were already in the tree."_s;
        QTest::newRow("malformed XBEL stops the GTK ones too")
            << u"gtk_bookmarks"_s << u"kde_malformed.xbel"_s << QStringList()
            << QStringList{u"(none)"_s}
            << u"The bookmarks file %K could not be read (Opening and ending tag mismatch. at "
               "line 8). Nothing was imported."_s;
        QTest::newRow("XML that is no XBEL")
            << QString() << u"kde_not_xbel.xml"_s << QStringList() << QStringList{u"(none)"_s}
            << u"The bookmarks file %K could not be read (it is not an XBEL bookmarks file). "
               "Nothing was imported."_s;
        QTest::newRow("no file at all")
            << QString() << QString() << QStringList() << QStringList{u"(none)"_s}
            << u"No bookmarks were found in %G or %K."_s;
    }
    // All of it in one step that Undo takes back, or nothing and no folder.
    void importsTheFileManagersBookmarks() {
        QFETCH(QString, gtk);
        QFETCH(QString, kde);
        QFETCH(QStringList, inTree);
        QFETCH(QStringList, items);
        QFETCH(QString, message);
        Bookmarks h(inTree);
        if (!gtk.isEmpty())
            h.source(gtk, false);
        if (!kde.isEmpty())
            h.source(kde, true);
        const int before = h.form->tree().TopLevelCount();
        h.menu(TreeMenuId::tvImportBookmarks);
        QCOMPARE(h.imported(), items);
        QCOMPARE(h.told(), QString(message)
                               .replace(u"%G"_s, h.paths.gtkBookmarks)
                               .replace(u"%K"_s, h.paths.kdePlaces));
        const bool added = items != QStringList{u"(none)"_s};
        QCOMPARE(h.form->tree().TopLevelCount(), before + (added ? 1 : 0));
        if (!added)
            return;
        QCOMPARE(h.form->history().UndoCaption(), u"Import Bookmarks"_s);
        h.form->undo().tvUndo_Click();
        QCOMPARE(h.form->tree().TopLevelCount(), before);
    }

    // Greyed while a filter shows part of the tree; saved as any change is.
    void theImportIsSavedAndWaitsForTheWholeTree() {
        Bookmarks h;
        h.source(u"gtk_crlf_bookmarks"_s, false);
        h.form->filter().FilterKey_Press();
        h.form->filter().FilterLine_Change(u"x"_s);
        h.menu(TreeMenuId::tvImportBookmarks);
        QVERIFY(!h.fake.menus.lastEntry(TreeMenuId::tvImportBookmarks)->enabled);
        QVERIFY(h.fake.menus.lastEntry(TreeMenuId::tvExport)->enabled);
        QCOMPARE(h.form->tree().TopLevelCount(), 0);
        h.form->filter().FilterLine_Escape();
        h.menu(TreeMenuId::tvImportBookmarks);
        h.wait(60000);
        const QStringList saved = h.settingsLines().filter(u"Node="_s);
        QCOMPARE(saved,
                 (QStringList{
                     u"Node=Bookmarks\t\tclosed\topen\tTrue\t0\tTrue"_s,
                     u"Node=Desktop\t/home/ann/Desktop\tleaf\t\tFalse\t1\tFalse"_s,
                     u"Node=Old downloads\t/home/ann/Downloads old\tleaf\t\tFalse\t1\tFalse"_s}));
    }

    // What Export writes reads back: labels, nesting (flattened by the
    // reader), file paths as file: addresses, a web address as itself, a
    // folder's own path as a bookmark first inside it. Opened on a folder,
    // it writes that folder alone; the import takes the file in again.
    void exportedBookmarksReadBack() {
        Bookmarks h;
        NodeTree& tree = h.form->tree();
        const auto add = [&tree](TreeNode* parent, const QString& label, const QString& path,
                                 bool folder = false) {
            TreeNode* n = tree.Add(parent, parent ? tvwChild : tvwLast, QString(), label,
                                   folder ? u"closed"_s : u"leaf"_s);
            n->SetTag(path);
            return n;
        };
        TreeNode* work = add(nullptr, u"Work & <Play>"_s, QString(), true);
        add(work, u"Report \"Q1\""_s, u"/home/ann/Reports/Q1 #1 100%.pdf"_s);
        TreeNode* maps = add(work, u"Mäps"_s, u"/home/ann/Mäps"_s, true);
        add(maps, u"Atlas"_s, u"/home/ann/Mäps/atlas.png"_s);
        add(work, u"Site"_s, u"https://example.org/a?b=1&c=2"_s);
        add(work, u"Blank"_s, QString());
        add(nullptr, u"Root item"_s, u"/etc/hosts"_s);
        const QString whole = h.temp->filePath(u"whole.xbel"_s);
        const QString part = h.temp->filePath(u"part.xbel"_s);
        h.fake.chooser.saveAnswers = {whole, part};
        h.menu(TreeMenuId::tvExport);
        h.fake.treeView.hits[{10, 10}] = maps;
        h.menu(TreeMenuId::tvExport, 10, 10);
        QCOMPARE(h.fake.chooser.saves.size(), 2u);
        QCOMPARE(h.fake.chooser.saves[0].suggested, h.temp->filePath(u"Varnel Bookmarks.xbel"_s));
        QCOMPARE(h.fake.chooser.saves[1].title, u"Export the folder \"Mäps\" as bookmarks"_s);

        QCOMPARE(
            outline(whole),
            (QStringList{
                u"Work & <Play>/Report \"Q1\"|file:///home/ann/Reports/Q1%20%231%20100%25.pdf"_s,
                u"Work & <Play>/Mäps/Mäps|file:///home/ann/M%C3%A4ps"_s,
                u"Work & <Play>/Mäps/Atlas|file:///home/ann/M%C3%A4ps/atlas.png"_s,
                u"Work & <Play>/Site|https://example.org/a?b=1&c=2"_s, u"Work & <Play>/Blank|"_s,
                u"Root item|file:///etc/hosts"_s}));
        QCOMPARE(outline(part),
                 (QStringList{u"Mäps/Mäps|file:///home/ann/M%C3%A4ps"_s,
                              u"Mäps/Atlas|file:///home/ann/M%C3%A4ps/atlas.png"_s}));

        Bookmarks again;
        QVERIFY(QFile::copy(whole, again.paths.kdePlaces));
        again.menu(TreeMenuId::tvImportBookmarks);
        QCOMPARE(again.imported(),
                 (QStringList{u"Report \"Q1\"|/home/ann/Reports/Q1 #1 100%.pdf"_s,
                              u"Mäps|/home/ann/Mäps"_s, u"Atlas|/home/ann/Mäps/atlas.png"_s,
                              u"Root item|/etc/hosts"_s}));
    }

    // A file that cannot be written is told, and nothing is left of it.
    void anExportThatCannotBeWrittenIsTold() {
        Bookmarks h;
        h.form->tree().Add(nullptr, tvwLast, QString(), u"A"_s, u"leaf"_s)->SetTag(u"/a"_s);
        const QString file = h.temp->filePath(u"missing/out.xbel"_s);
        h.fake.chooser.saveAnswers = {file};
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"cannot write"_s));
        h.menu(TreeMenuId::tvExport);
        QVERIFY(h.told().startsWith(u"The bookmarks could not be written to "_s + file + u" ("_s));
        QVERIFY(!QFile::exists(file));
        h.fake.chooser.saveAnswers = {std::nullopt};  // cancelled: nothing is told
        h.menu(TreeMenuId::tvExport);
        QCOMPARE(h.fake.messages.shown.size(), 1u);
    }
};

QTEST_GUILESS_MAIN(TestBookmarks)
#include "test_bookmarks.moc"
