// The browser's drive, directory and file lists over the scriptable platform,
// on a small directory tree of its own.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"
#include "browser/ReadDirectory.h"
#include "files/OneLine.h"
#include "tree/TreeDrop.h"
#include "tree/TreeMenu.h"
#include "tree/TreeMouse.h"

#include <QRandomGenerator>
#include <QStorageInfo>
#include <filesystem>
#include <fstream>

using namespace Qt::Literals::StringLiterals;

namespace {
// work/ holds the directories beta (with notes.txt), Alpha, Zed and .git and
// the files b.txt, A.txt, C.md and .profile; the browser is on work/.
struct Browser : FormHarness {
    Browser() {
        work = QDir::cleanPath(temp->filePath(u"work"_s));
        for (const QString& dir : {u"beta"_s, u"Alpha"_s, u"Zed"_s, u".git"_s})
            QDir(work).mkpath(dir);
        for (const QString& file :
             {u"b.txt"_s, u"A.txt"_s, u"C.md"_s, u".profile"_s, u"beta/notes.txt"_s})
            writeFile(work + u'/' + file, {});
        drive = QStorageInfo(work).rootPath();
        loadAndShow();
        browser().PointAt(work);
    }
    BrowserPanel& browser() { return form->browser(); }
    BrowserMouse& mouse() { return form->browserMouse(); }
    QString label() const { return fake.pathLabel.text.mid(1); }
    void dirMenu(DirMenuId id) {
        fake.menus.choose(id);
        mouse().DirList_MouseDown(ButtonRight, 0, 0, 0);
    }
    void fileMenu(FileMenuId id) {
        fake.menus.choose(id);
        mouse().FileList_MouseDown(ButtonRight, 0, 0, 0);
    }
    void open(int index) {
        mouse().DirList_Click(index);
        mouse().DirList_DblClick();
    }
    QStringList messages() const {
        QStringList texts;
        for (const ShownMessage& shown : fake.messages.shown)
            texts << shown.title + u": "_s + shown.text;
        return texts;
    }
    QString work, drive;
};

// The directory dir\xfe and the files bad\xff.txt and tab<TAB>here in a
// directory, made by their bytes, and removed so: Qt neither lists nor
// removes a name that is not UTF-8.
struct OddNames {
    explicit OddNames(const QString& directory)
        : parent(QFile::encodeName(directory).toStdString()) {
        std::filesystem::create_directory(parent + "/dir\xfe");
        std::ofstream(parent + "/bad\xff.txt") << "";
        std::ofstream(parent + "/tab\there") << "";
    }
    ~OddNames() {
        for (const char* name : {"/dir\xfe", "/bad\xff.txt", "/tab\there"})
            std::filesystem::remove(parent + name);
    }
    std::string parent;
};
}  // namespace

class TestBrowserPanel : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Entries -k..-1: the chain from the drive's root to the open directory;
    // 0..n-1 its subdirectories.
    void entriesFollowTheIndexConventions() {
        Browser b;
        QStringList chain{b.drive};
        for (QString path = b.work; path != b.drive; path = QFileInfo(path).path())
            chain.insert(1, path);
        QCOMPARE(b.fake.dirList.chain, chain);
        const std::pair<int, QString> entries[] = {
            {-1, b.work}, {-int(chain.size()), b.drive}, {2, b.work + u"/Zed"_s}};
        for (const auto& [index, path] : entries) {
            b.mouse().DirList_Click(index);
            QCOMPARE(b.label(), path);
        }
    }

    // Names are sorted exactly as comparing them without regard to case
    // sorts them, names equal but for case by their code units: letters that
    // fold to others (long s, Kelvin sign, sharp s, final sigma), characters
    // beyond 16 bits, lone surrogates from names that were no UTF-8.
    void namesSortAsTheyCompareWithoutCase() {
        const QString letters =
            u"aAbBsSkKz09._ \u017f\u212a\u00df\u00e9\u00c9\u03c3\u03c2\u03a3"_s + QChar(0xDC80) +
            QChar(0xD801) + QChar(0xDC00) + QChar(0xD801) + QChar(0xDC28);
        QRandomGenerator draw(14);
        QStringList names;
        for (int i = 0; i < 3000; ++i) {
            QString name;
            for (int n = int(draw.bounded(1, 6)); n > 0; --n)
                name += letters[int(draw.bounded(letters.size()))];
            names << name;
        }
        QStringList expected = names;
        std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            const int byLetters = a.compare(b, Qt::CaseInsensitive);
            return byLetters != 0 ? byLetters < 0 : a < b;
        });
        SortNames(names);
        QCOMPARE(names, expected);
    }

    // A changed open directory highlights its first file; one without files
    // never stays shown as an empty file list. "View Files" shows the files
    // of the open directory, not of a merely highlighted one.
    void theFileListShowsOnlyTheOpenDirectorysFiles() {
        const std::pair<const char*, const char*> cases[] = {
            {"", "/A.txt"}, {"/beta", "/beta/notes.txt"}, {"/Alpha", "/Alpha"}};
        for (const auto& [target, label] : cases) {
            Browser b;
            b.dirMenu(DirMenuId::dlViewFiles);
            b.mouse().DirList_Click(1);
            b.browser().PointAt(b.work + QLatin1String(target));
            QCOMPARE(b.label(), b.work + QLatin1String(label));
            QCOMPARE(b.fake.fileList.visible, qstrcmp(target, "/Alpha") != 0);
        }
        Browser b;
        b.mouse().DirList_Click(1);  // beta
        b.dirMenu(DirMenuId::dlViewFiles);
        QCOMPARE(b.label(), b.work + u"/A.txt"_s);
        b.mouse().FileList_Click(2);
        QCOMPARE(b.label(), b.work + u"/C.md"_s);
        b.form->settings().SaveSettings();
        b.fileMenu(FileMenuId::flViewDir);
        QVERIFY(b.fake.dirList.visible && !b.fake.fileList.visible);
        QVERIFY(b.form->settings().SettingsDirty());  // the list showing is kept
        b.mouse().FileList_Click(1);                  // hidden: counts for nothing
        QCOMPARE(b.label(), b.work + u"/beta"_s);
    }

    // A drive not there, or a directory that is no volume of its own, is
    // told once and the drive list returns; one that does not answer shows
    // the busy pointer for a moment only. Another drive opens at its root,
    // the open directory's own changes nothing.
    void aDriveChangeOpensItsRootOrIsToldOnce() {
        const std::tuple<QString, bool, bool> cases[] = {{u"%W/Alpha"_s, false, false},
                                                         {u"/no/such/volume"_s, true, false},
                                                         {u"%D"_s, false, true},
                                                         {u"/proc"_s, false, true}};
        for (const auto& [target, answersLate, opens] : cases) {
            if (target == u"/proc"_s && QStorageInfo(target).rootPath() != target)
                continue;  // no volume of its own here
            Browser b;
            b.fake.work.hold = answersLate;
            const QString drive =
                QString(target).replace(u"%W"_s, b.work).replace(u"%D"_s, b.drive);
            b.browser().DriveList_Change(drive);
            if (!answersLate)  // an answer at once takes the busy pointer with it
                QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
            if (answersLate) {
                b.wait(999);
                QCOMPARE(b.fake.window.pointer(), int(PointerBusy));
                b.wait(1);
                QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
                QVERIFY(b.fake.messages.shown.empty() && b.fake.work.release());
            }
            QCOMPARE(b.messages(),
                     opens ? QStringList()
                           : QStringList{u"Warning: The selected drive is not accessible."_s});
            QCOMPARE(b.fake.driveList.current + u' ' + b.label(),
                     opens ? drive + u' ' + (drive == b.drive ? b.work : drive)
                           : b.drive + u' ' + b.work);
        }
    }

    // A stored drive that cannot be opened is dropped without a word; its
    // answer, come at once, leaves no busy pointer waiting for the limit.
    void aRestoredDriveAnsweredAtOnceLeavesNoBusyPointer() {
        Browser b;
        b.browser().BeginRestore();
        b.browser().RestoreDrive(b.work + u"/Alpha"_s);
        b.browser().EndRestore();
        QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
        QCOMPARE(b.fake.driveList.current, b.drive);
        QVERIFY(b.fake.messages.shown.empty());
    }

    // Whichever comes first, only the directory asked for last opens; what
    // the change raises comes with its listing, and finds what the directory
    // holds then.
    void aListingOvertakenByANewerOneIsDropped() {
        for (const bool olderFirst : {true, false}) {
            Browser b;
            b.fake.work.hold = true;
            b.open(0);  // Alpha
            b.open(1);  // beta
            writeFile(b.work + u"/beta/later.txt"_s, {});
            QVERIFY(b.fake.work.release(olderFirst ? 0 : 1));
            QCOMPARE(b.browser().DirPath(), olderFirst ? b.work : b.work + u"/beta"_s);
            QVERIFY(b.fake.work.release(0));
            QCOMPARE(b.browser().DirPath(), b.work + u"/beta"_s);
            QCOMPARE(b.fake.fileList.files, (QStringList{u"later.txt"_s, u"notes.txt"_s}));
            QCOMPARE(b.browser().FileSel(), 0);
        }
    }

    // While the stored place is read (a mount that does not answer), a save
    // keeps it as the file has it; the user's own choice ends the restoring.
    void aRestoreWaitingForItsListingsLosesNothing() {
        for (const bool userActs : {false, true}) {
            Browser b;
            b.fake.work.hold = true;
            b.browser().BeginRestore();
            b.browser().RestoreDirPath(b.work + u"/beta"_s);
            b.browser().RestoreDirVis(false);
            b.browser().EndRestore();
            b.form->tvAutoHide_Click();  // something to save
            b.form->settings().SaveSettings();
            QCOMPARE(b.settingsLines().mid(7, 4),
                     (QStringList{u"Drive="_s + b.drive, u"DirPath="_s + b.work + u"/beta"_s,
                                  u"DirSel=-1"_s, u"DirVis=False"_s}));
            if (userActs)
                b.open(0);
            while (b.fake.work.release(0)) {
            }
            QCOMPARE(b.browser().DirPath(), b.work + (userActs ? u"/Alpha"_s : u"/beta"_s));
            QCOMPARE(b.form->settings().SettingsDirty(), userActs);  // restored, not changed
        }
    }

    // "Explore" opens the highlighted directory, "Open" and a double click
    // the highlighted file; a success hides the window, a failure says so. A
    // directory gone since it was listed does not open.
    void openingsHandTheShellTheirPathOrSayTheyFailed() {
        using Act = void (*)(Browser&);
        const Act explore = [](Browser& b) { b.dirMenu(DirMenuId::dlExplore); };
        const Act open = [](Browser& b) { b.fileMenu(FileMenuId::flOpen); };
        const Act doubleClick = [](Browser& b) { b.mouse().FileList_DblClick(); };
        const Act gone = [](Browser& b) {
            QDir(b.work + u"/beta"_s).removeRecursively();
            b.mouse().DirList_DblClick();
        };
        const std::tuple<Act, bool, const char*> cases[] = {
            {explore, true, "/beta"},
            {explore, false, "Warning: Folder is unavailable or no longer exist.|/beta"},
            {open, true, "/b.txt"},
            {doubleClick, false, "Warning: File is unavailable or no longer exist.|/b.txt"},
            {gone, false, "Warning: Folder is unavailable or no longer exist."},
        };
        for (const auto& [act, opens, outcome] : cases) {
            Browser b;
            b.fake.shell.accept = opens;
            b.mouse().DirList_Click(1);
            b.mouse().FileList_Click(1);
            act(b);
            QStringList seen = b.messages();
            for (const QUrl& url : b.fake.shell.opened)
                seen << url.toLocalFile().mid(b.work.size());
            QCOMPARE(seen.join(u'|'), QLatin1String(outcome));
            QCOMPARE(b.fake.window.visible, !opens);
        }
    }

    // Dot entries are left out, the rest sorted whatever their case. A name
    // that is not UTF-8 is listed, its odd byte decoded so that it shows as
    // a replacement character; so is a name with a TAB. Neither becomes a
    // node's path: "Modify Path" and a copy refuse them with a box that
    // names the path. Opening a name that is not text says it cannot.
    void namesThatCannotBeKeptAreListedButRefused() {
        Browser b;
        b.form->options().SetFullPath(false);
        const OddNames odd(b.work);
        b.browser().PointAt(b.work);
        const QString dir = u"dir\xdcfe"_s, bad = u"bad\xdcff.txt"_s, tab = u"tab\there"_s;
        QCOMPARE(b.fake.dirList.subdirectories,
                 (QStringList{u"Alpha"_s, u"beta"_s, dir, u"Zed"_s}));
        QCOMPARE(b.fake.fileList.files, (QStringList{u"A.txt"_s, u"b.txt"_s, bad, u"C.md"_s, tab}));
        TreeNode* node = b.form->tree().Add(nullptr, tvwLast, QString(), u"Node"_s, u"leaf"_s);
        b.fake.treeView.hits[{10, 10}] = node;
        b.mouse().DirList_Click(2);
        b.mouse().DirList_DblClick();
        b.fake.menus.choose(TreeMenuId::tvModify);
        b.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 10, 10);
        b.dirMenu(DirMenuId::dlViewFiles);
        b.mouse().FileList_Click(2);
        b.mouse().FileList_DblClick();
        b.mouse().FileList_Click(4);
        b.form->treeDrop().TreeView_DragDrop(DragSource::FileList, 500, 500);  // empty space
        QStringList told;
        for (const ShownMessage& shown : b.fake.messages.shown) {
            for (const QString& name : {dir, bad, tab}) {
                if (shown.text.contains(OneLine(b.work + u'/' + name)))
                    told << shown.title + u' ' + name;
            }
        }
        QCOMPARE(told, (QStringList{u"Warning "_s + dir, u"Path Error "_s + dir,
                                    u"Warning "_s + bad, u"Path Error "_s + tab}));
        QVERIFY(node->Tag().isEmpty() && b.form->tree().Count() == 1 &&
                b.fake.shell.opened.empty());
    }
};

QTEST_GUILESS_MAIN(TestBrowserPanel)
#include "test_browser_panel.moc"
