// The browser's drive, directory and file lists over the scriptable platform,
// on a small directory tree of its own.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "browser/BrowserMenus.h"
#include "browser/ReadDirectory.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
void touch(const QString& path) {
    if (!QFile(path).open(QIODevice::WriteOnly))
        qFatal("cannot make a file");
}

// The program's directory holds work/, which holds the subdirectories beta
// (with notes.txt), Alpha and Zed (both without files) and .git, and the
// files b.txt, A.txt, C.md and .profile. The window is shown and the browser
// is on work/, unless settings are given: they are read at the first
// showing, "%W" standing for work/ and "%D" for its drive.
struct Browser : FormHarness {
    explicit Browser(const QStringList& settings = {}) {
        work = QDir::cleanPath(temp->filePath(u"work"_s));
        for (const QString& dir : {u"beta"_s, u"Alpha"_s, u"Zed"_s, u".git"_s})
            QDir(work).mkpath(dir);
        for (const QString& file :
             {u"b.txt"_s, u"A.txt"_s, u"C.md"_s, u".profile"_s, u"beta/notes.txt"_s})
            touch(work + u'/' + file);
        drive = QStorageInfo(work).rootPath();
        QStringList lines;
        for (QString line : settings)
            lines << line.replace(u"%W"_s, work).replace(u"%D"_s, drive);
        if (!settings.isEmpty())
            writeSettings(lines);
        loadAndShow();
        if (settings.isEmpty())
            browser().PointAt(work);
    }
    BrowserPanel& browser() { return form->browser(); }
    BrowserMouse& mouse() { return form->browserMouse(); }
    QString label() const { return fake.pathLabel.text; }
    void dirMenu(DirMenuId id) {
        fake.menus.choose(id);
        mouse().DirList_MouseDown(ButtonRight, 0, 0, 0);
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

    QString work;
    QString drive;
};
}  // namespace

class TestBrowserPanel : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Entries -k..-1: the chain from the drive's root to the open directory;
    // 0..n-1 its subdirectories. Dot entries are left out, letters sorted
    // whatever their case.
    void entriesFollowTheIndexConventions() {
        Browser b;
        QStringList chain{b.drive};
        for (QString path = b.work; path != b.drive; path = QFileInfo(path).path())
            chain.insert(1, path);
        QCOMPARE(b.fake.dirList.chain, chain);
        QCOMPARE(b.fake.dirList.subdirectories, (QStringList{u"Alpha"_s, u"beta"_s, u"Zed"_s}));
        QCOMPARE(b.fake.fileList.files, (QStringList{u"A.txt"_s, u"b.txt"_s, u"C.md"_s}));
        const std::pair<int, QString> entries[] = {{-1, b.work},
                                                   {-int(chain.size()), b.drive},
                                                   {0, b.work + u"/Alpha"_s},
                                                   {2, b.work + u"/Zed"_s}};
        for (const auto& [index, path] : entries) {
            b.mouse().DirList_Click(index);
            QCOMPARE(b.label(), u' ' + path);
        }
        b.mouse().FileList_Click(1);
        QCOMPARE(b.browser().HighlightedFilePath(), b.work + u"/b.txt"_s);
    }

    // A changed open directory highlights its first file; one without files
    // never stays shown as an empty file list.
    void openingADirectoryShowsItsFilesOrTheDirectoryList() {
        struct Case {
            const char* target;
            bool fileListShowing;
            bool dirVisAfter;
            const char* label;
        };
        const Case cases[] = {
            {"", false, true, ""},
            {"/beta", true, false, "/beta/notes.txt"},
            {"/Alpha", true, true, "/Alpha"},
        };
        for (const Case& c : cases) {
            Browser b;
            if (c.fileListShowing)
                b.dirMenu(DirMenuId::dlViewFiles);
            b.browser().PointAt(b.work + QLatin1String(c.target));
            QCOMPARE(b.browser().DirVis(), c.dirVisAfter);
            QCOMPARE(b.fake.fileList.visible, !c.dirVisAfter);
            QCOMPARE(b.label(), u' ' + b.work + QLatin1String(c.label));
            QCOMPARE(b.fake.fileList.listIndex, b.fake.fileList.files.isEmpty() ? -1 : 0);
            QCOMPARE(b.browser().DirSel(), -1);
        }
    }

    // "View Files" shows the files of the open directory, not of a merely
    // highlighted one; "View Directories" goes back. A click on the file
    // list counts only while it shows.
    void viewFilesAndViewDirectories() {
        Browser b;
        // The label after a click on the file list, "*" added when a save is due.
        const auto clickFile = [&b](int index) {
            b.form->settings().SaveSettings();
            b.mouse().FileList_Click(index);
            return b.label() + (b.form->settings().SettingsDirty() ? u"*"_s : QString());
        };
        b.mouse().DirList_Click(1);  // beta
        b.dirMenu(DirMenuId::dlViewFiles);
        QVERIFY(!b.browser().DirVis() && b.fake.fileList.visible && !b.fake.dirList.visible);
        QCOMPARE(b.label(), u' ' + b.work + u"/A.txt"_s);
        QCOMPARE(clickFile(2), u' ' + b.work + u"/C.md*"_s);
        b.fake.menus.choose(FileMenuId::flViewDir);
        b.mouse().FileList_MouseDown(ButtonRight, 0, 0, 0);
        QVERIFY(b.browser().DirVis() && b.fake.dirList.visible && !b.fake.fileList.visible);
        QCOMPARE(b.label(), u' ' + b.work + u"/beta"_s);
        QCOMPARE(clickFile(1), u' ' + b.work + u"/beta"_s);
    }

    // Not there, or a directory that is no volume of its own: the user is
    // told once, and the drive list names the drive of the directory still
    // open. A drive that does not answer shows the busy pointer for a moment
    // only; the lists keep saying that they are still reading.
    void anUnreadableDriveIsToldOnceAndTheListReturns() {
        const std::pair<QString, bool> cases[] = {
            {u"/no/such/volume"_s, false}, {u"%W/Alpha"_s, false}, {u"/no/such/volume"_s, true}};
        for (const auto& [gone, answersLate] : cases) {
            Browser b;
            b.fake.work.hold = answersLate;
            b.browser().DriveList_Change(QString(gone).replace(u"%W"_s, b.work));
            if (answersLate) {
                b.wait(999);
                QCOMPARE(b.fake.window.pointer(), int(PointerBusy));
                b.wait(1);
                QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
                QVERIFY(b.fake.dirList.reading && b.fake.messages.shown.empty());
                QVERIFY(b.fake.work.release());
                QVERIFY(!b.fake.dirList.reading);
            }
            QCOMPARE(b.messages(),
                     QStringList{u"Warning: The selected drive is not accessible."_s});
            QCOMPARE(b.fake.messages.shown[0].icon, MsgIcon::Exclamation);
            QCOMPARE(b.browser().Drive(), b.drive);
            QCOMPARE(b.fake.driveList.current, b.drive);
            QCOMPARE(b.browser().DirPath(), b.work);
        }
    }

    // Another drive opens at its root; the drive of the open directory
    // changes nothing.
    void anotherDriveOpensAtItsRoot() {
        const QString other = u"/proc"_s;
        if (QStorageInfo(other).rootPath() != other)
            QSKIP("no volume of its own at /proc here");
        Browser b;
        b.browser().DriveList_Change(b.drive);
        QCOMPARE(b.browser().DirPath(), b.work);
        b.browser().DriveList_Change(other);
        QVERIFY(b.fake.messages.shown.empty());
        QCOMPARE(b.fake.dirList.chain, QStringList{other});
        QCOMPARE(b.label(), u' ' + other);
    }

    // The four keys in their order, each raising what a user's choice
    // would; a failed drive skips the directory and the highlight, a failed
    // directory the highlight.
    void theSettingsRestoreDriveDirectoryHighlightAndList() {
        Browser b({u"Drive=%D"_s, u"DirPath=%W"_s, u"DirSel=1"_s, u"DirVis=False"_s});
        QCOMPARE(
            b.fake.pathLabel.written.mid(b.fake.pathLabel.written.size() - 3),
            (QStringList{u' ' + b.work, u' ' + b.work + u"/beta"_s, u' ' + b.work + u"/A.txt"_s}));
        QCOMPARE(b.fake.dirList.listIndex, 1);
        QVERIFY(!b.browser().DirVis() && b.fake.fileList.visible);
        QCOMPARE(b.fake.fileList.listIndex, 0);

        struct Case {
            const char* settings;
            const char* dirPath;  // under the program's directory
            int dirSel;
            bool dirVis;
        };
        const Case cases[] = {
            // The program's directory has files: the settings file.
            {"Drive=/no/such DirPath=%W DirSel=1 DirVis=False", "", -1, false},
            {"Drive=%D DirPath=%W/gone DirSel=1 DirVis=True", "", -1, true},
            {"DirPath=%W DirSel=3", "/work", -1, true},
            {"DirPath=%W/Alpha DirSel=-2 DirVis=False", "/work/Alpha", -2, true},
        };
        for (const Case& c : cases) {
            Browser failing(QString::fromLatin1(c.settings).split(u' '));
            QCOMPARE(failing.browser().DirPath(),
                     QDir::cleanPath(failing.paths.programDir) + QLatin1String(c.dirPath));
            QCOMPARE(failing.browser().DirSel(), c.dirSel);
            QCOMPARE(failing.browser().DirVis(), c.dirVis);
            QCOMPARE(failing.browser().Drive(), failing.drive);
            QVERIFY(failing.fake.messages.shown.empty());
        }
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
            QVERIFY(b.fake.dirList.reading && b.fake.fileList.reading);
            touch(b.work + u"/beta/later.txt"_s);
            QVERIFY(b.fake.work.release(olderFirst ? 0 : 1));
            QCOMPARE(b.browser().DirPath(), olderFirst ? b.work : b.work + u"/beta"_s);
            QCOMPARE(b.fake.dirList.reading, olderFirst);
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
            QCOMPARE(b.browser().DirVis(), userActs);
            QCOMPARE(b.form->settings().SettingsDirty(), userActs);  // restored, not changed
        }
    }

    // "Explore" opens the highlighted directory, "Open" and a double click
    // the highlighted file; a success hides the window ("Auto Hide Window" is
    // checked), a failure says so. A directory gone since it was listed
    // does not open.
    void openingsHandTheShellTheirPathOrSayTheyFailed() {
        struct Case {
            const char* how;
            bool opens;
            const char* path;
            const char* failure;
        };
        const Case cases[] = {
            {"explore", true, "/beta", ""},
            {"explore", false, "/beta", "Folder is unavailable or no longer exist."},
            {"open", true, "/b.txt", ""},
            {"dblclick", false, "/b.txt", "File is unavailable or no longer exist."},
            {"gone", false, "", "Folder is unavailable or no longer exist."},
        };
        for (const Case& c : cases) {
            Browser b;
            b.fake.shell.accept = c.opens;
            b.mouse().DirList_Click(1);
            b.mouse().FileList_Click(1);
            const QByteArray how(c.how);
            if (how == "explore") {
                b.dirMenu(DirMenuId::dlExplore);
            } else if (how == "open") {
                b.fake.menus.choose(FileMenuId::flOpen);
                b.mouse().FileList_MouseDown(ButtonRight, 0, 0, 0);
            } else if (how == "dblclick") {
                b.mouse().FileList_DblClick();
            } else {
                QVERIFY(QDir(b.work + u"/beta"_s).removeRecursively());
                b.mouse().DirList_DblClick();
                QCOMPARE(b.browser().DirPath(), b.work);
            }
            QCOMPARE(b.fake.shell.opened.size(), size_t(*c.path ? 1 : 0));
            if (*c.path)
                QCOMPARE(b.fake.shell.opened[0].toLocalFile(), b.work + QLatin1String(c.path));
            QCOMPARE(b.fake.window.visible, !c.opens);
            QCOMPARE(b.messages(), c.opens
                                       ? QStringList()
                                       : QStringList{u"Warning: "_s + QLatin1String(c.failure)});
        }
    }
};

QTEST_GUILESS_MAIN(TestBrowserPanel)
#include "test_browser_panel.moc"
