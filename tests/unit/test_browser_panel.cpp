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
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
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
        if (settings.isEmpty()) {
            loadAndShow();
            form->browser().PointAt(work);
            return;
        }
        QStringList lines;
        for (QString line : settings)
            lines << line.replace(u"%W"_s, work).replace(u"%D"_s, drive);
        writeSettings(lines);
        loadAndShow();
    }
    BrowserPanel& browser() { return form->browser(); }
    DirListEvents& dirList() { return form->browserMouse(); }
    FileListEvents& fileList() { return form->browserMouse(); }
    QString label() const { return fake.pathLabel.text; }
    // The directory list's menu, its entry chosen.
    void dirMenu(DirMenuId id) {
        fake.menus.choose(id);
        dirList().DirList_MouseDown(ButtonRight, 0, 0, 0);
    }
    // The key lines of the browser in the settings file.
    QStringList savedPlace() {
        form->tvAutoHide_Click();  // something to save
        form->settings().SaveSettings();
        return settingsLines().mid(7, 4);
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
        const int k = b.browser().ChainLength();
        QCOMPARE(k, chain.size());
        const std::pair<int, QString> entries[] = {
            {-1, b.work},
            {-2, QFileInfo(b.work).path()},
            {-k, b.drive},
            {0, b.work + u"/Alpha"_s},
            {2, b.work + u"/Zed"_s},
        };
        for (const auto& [index, path] : entries) {
            b.dirList().DirList_Click(index);
            QCOMPARE(b.browser().HighlightedDirectory(), path);
            QCOMPARE(b.label(), u' ' + path);
        }
        b.fileList().FileList_Click(1);
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
            {"", false, true, ""},  // work/, the directory list showing
            {"/beta", true, false, "/beta/notes.txt"},
            {"/Alpha", true, true, "/Alpha"},
        };
        for (const Case& c : cases) {
            Browser b;
            if (c.fileListShowing)
                b.dirMenu(DirMenuId::dlViewFiles);
            QCOMPARE(b.browser().DirVis(), !c.fileListShowing);
            b.browser().PointAt(b.work + QLatin1String(c.target));
            QCOMPARE(b.browser().DirVis(), c.dirVisAfter);
            QCOMPARE(b.fake.dirList.visible, c.dirVisAfter);
            QCOMPARE(b.fake.fileList.visible, !c.dirVisAfter);
            QCOMPARE(b.label(), u' ' + b.work + QLatin1String(c.label));
            const bool hasFiles = !b.fake.fileList.files.isEmpty();
            QCOMPARE(b.browser().FileSel(), hasFiles ? 0 : -1);
            QCOMPARE(b.fake.fileList.listIndex, hasFiles ? 0 : -1);
            QCOMPARE(b.browser().DirSel(), -1);
        }
    }

    void aClickOnTheFileListCountsOnlyWhileItShows() {
        for (const bool showing : {false, true}) {
            Browser b;
            if (showing)
                b.dirMenu(DirMenuId::dlViewFiles);
            b.form->settings().SaveSettings();
            const QString before = b.label();
            b.fileList().FileList_Click(2);
            QCOMPARE(b.label(), showing ? u' ' + b.work + u"/C.md"_s : before);
            QCOMPARE(b.form->settings().SettingsDirty(), showing);
        }
    }

    // "View Files" shows the files of the open directory, not of a merely
    // highlighted one; "View Directories" goes back.
    void viewFilesAndViewDirectories() {
        Browser b;
        b.dirList().DirList_Click(1);  // beta
        b.dirMenu(DirMenuId::dlViewFiles);
        QVERIFY(!b.browser().DirVis() && b.fake.fileList.visible && !b.fake.dirList.visible);
        QCOMPARE(b.label(), u' ' + b.work + u"/A.txt"_s);
        b.fake.menus.choose(FileMenuId::flViewDir);
        b.fileList().FileList_MouseDown(ButtonRight, 0, 0, 0);
        QVERIFY(b.browser().DirVis() && b.fake.dirList.visible && !b.fake.fileList.visible);
        QCOMPARE(b.label(), u' ' + b.work + u"/beta"_s);
        QVERIFY(b.form->settings().SettingsDirty());
    }

    // Not there, or a directory that is no volume of its own: the user is
    // told once, and the drive list names the drive of the directory still
    // open.
    void anUnreadableDriveIsToldOnceAndTheListReturns() {
        for (const QString& gone : {u"/no/such/volume"_s, u"%W/Alpha"_s}) {
            Browser b;
            const QString drive = QString(gone).replace(u"%W"_s, b.work);
            b.form->browser().DriveList_Change(drive);
            QCOMPARE(b.fake.messages.shown.size(), size_t(1));
            const ShownMessage& box = b.fake.messages.shown[0];
            QCOMPARE(box.text, u"The selected drive is not accessible."_s);
            QCOMPARE(box.title, u"Warning"_s);
            QCOMPARE(box.icon, MsgIcon::Exclamation);
            QCOMPARE(b.browser().Drive(), b.drive);
            QCOMPARE(b.fake.driveList.current, b.drive);
            QCOMPARE(b.browser().DirPath(), b.work);
            QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
        }
    }

    // A drive that does not answer shows the busy pointer for a moment only;
    // the lists keep saying that they are still reading.
    void aDriveThatDoesNotAnswerGivesThePointerBack() {
        Browser b;
        b.fake.work.hold = true;
        b.form->browser().DriveList_Change(u"/no/such/volume"_s);
        QCOMPARE(b.fake.window.pointer(), int(PointerBusy));
        b.wait(999);
        QCOMPARE(b.fake.window.pointer(), int(PointerBusy));
        b.wait(1);
        QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
        QVERIFY(b.fake.dirList.reading && b.fake.messages.shown.empty());
        QVERIFY(b.fake.work.release());
        QCOMPARE(b.fake.messages.shown.size(), size_t(1));
        QVERIFY(!b.fake.dirList.reading);
        QCOMPARE(b.browser().Drive(), b.drive);
    }

    // Another drive opens at its root; the drive of the open directory
    // changes nothing.
    void anotherDriveOpensAtItsRoot() {
        const QString other = u"/proc"_s;
        if (QStorageInfo(other).rootPath() != other)
            QSKIP("no volume of its own at /proc here");
        Browser b;
        b.form->browser().DriveList_Change(b.drive);
        QCOMPARE(b.browser().DirPath(), b.work);
        b.form->browser().DriveList_Change(other);
        QVERIFY(b.fake.messages.shown.empty());
        QCOMPARE(b.browser().DirPath(), other);
        QCOMPARE(b.fake.dirList.chain, QStringList{other});
        QCOMPARE(b.label(), u' ' + other);
        QVERIFY(b.fake.driveList.drives.startsWith(QDir::rootPath()));
    }

    // The four keys in their order, each raising what a user's choice
    // would; a failed drive skips the directory and the highlight, a failed
    // directory the highlight.
    void theSettingsRestoreDriveDirectoryHighlightAndList() {
        Browser b({u"Drive=%D"_s, u"DirPath=%W"_s, u"DirSel=1"_s, u"DirVis=False"_s});
        QCOMPARE(
            b.fake.pathLabel.written.mid(b.fake.pathLabel.written.size() - 3),
            (QStringList{u' ' + b.work, u' ' + b.work + u"/beta"_s, u' ' + b.work + u"/A.txt"_s}));
        QCOMPARE(b.browser().DirSel(), 1);
        QCOMPARE(b.fake.dirList.listIndex, 1);
        QVERIFY(!b.browser().DirVis() && b.fake.fileList.visible);
        QCOMPARE(b.fake.fileList.listIndex, 0);

        struct Case {
            QStringList settings;
            const char* dirPath;  // under the program's directory
            int dirSel;
            bool dirVis;
        };
        const Case cases[] = {
            {{u"Drive=/no/such"_s, u"DirPath=%W"_s, u"DirSel=1"_s, u"DirVis=False"_s},
             "",
             -1,
             false},  // the program's directory has files: the settings file
            {{u"Drive=%D"_s, u"DirPath=%W/gone"_s, u"DirSel=1"_s, u"DirVis=True"_s}, "", -1, true},
            {{u"DirPath=%W"_s, u"DirSel=3"_s}, "/work", -1, true},
            {{u"DirPath=%W/Alpha"_s, u"DirSel=-2"_s, u"DirVis=False"_s}, "/work/Alpha", -2, true},
        };
        for (const Case& c : cases) {
            Browser failing(c.settings);
            QCOMPARE(failing.browser().DirPath(),
                     QDir::cleanPath(failing.paths.programDir) + QLatin1String(c.dirPath));
            QCOMPARE(failing.browser().DirSel(), c.dirSel);
            QCOMPARE(failing.browser().DirVis(), c.dirVis);
            QCOMPARE(failing.browser().Drive(), failing.drive);
            QVERIFY(failing.fake.messages.shown.empty());
        }
    }

    // The listing comes later than the double click; what the change raises
    // comes with it, and finds what the directory holds then.
    void aListingHeldBackRaisesWhatItWouldHaveWhenItComes() {
        Browser b;
        b.fake.work.hold = true;
        b.dirList().DirList_Click(1);  // beta
        b.dirList().DirList_DblClick();
        QVERIFY(b.fake.dirList.reading && b.fake.fileList.reading);
        QCOMPARE(b.browser().DirPath(), b.work);
        QCOMPARE(b.label(), u' ' + b.work + u"/beta"_s);
        touch(b.work + u"/beta/later.txt"_s);
        QVERIFY(b.fake.work.release());
        QVERIFY(!b.fake.dirList.reading);
        QCOMPARE(b.browser().DirPath(), b.work + u"/beta"_s);
        QCOMPARE(b.fake.fileList.files, (QStringList{u"later.txt"_s, u"notes.txt"_s}));
        QCOMPARE(b.label(), u' ' + b.work + u"/beta"_s);
        QCOMPARE(b.browser().FileSel(), 0);
    }

    // Whichever comes first, only the directory asked for last opens.
    void aListingOvertakenByANewerOneIsDropped() {
        for (const bool olderFirst : {true, false}) {
            Browser b;
            b.fake.work.hold = true;
            b.dirList().DirList_Click(0);  // Alpha
            b.dirList().DirList_DblClick();
            b.dirList().DirList_Click(2);  // Zed
            b.dirList().DirList_DblClick();
            QCOMPARE(b.fake.work.held.size(), size_t(2));
            QVERIFY(b.fake.work.release(olderFirst ? 0 : 1));
            QCOMPARE(b.browser().DirPath(), olderFirst ? b.work : b.work + u"/Zed"_s);
            QCOMPARE(b.fake.dirList.reading, olderFirst);
            QVERIFY(b.fake.work.release(0));
            QCOMPARE(b.browser().DirPath(), b.work + u"/Zed"_s);
            QVERIFY(!b.fake.dirList.reading);
        }
    }

    // While the stored place is read (a mount that does not answer), a save
    // keeps it as the file has it; the user's own choice ends the restoring.
    void aRestoreWaitingForItsListingsLosesNothing() {
        for (const bool userActs : {false, true}) {
            Browser b;
            b.fake.work.hold = true;
            b.form->browser().BeginRestore();
            b.form->browser().RestoreDirPath(b.work + u"/beta"_s);
            b.form->browser().RestoreDirVis(false);
            b.form->browser().EndRestore();
            QCOMPARE(b.savedPlace(),
                     (QStringList{u"Drive="_s + b.drive, u"DirPath="_s + b.work + u"/beta"_s,
                                  u"DirSel=-1"_s, u"DirVis=False"_s}));
            if (userActs) {
                b.dirList().DirList_Click(0);
                b.dirList().DirList_DblClick();
            }
            while (b.fake.work.release(0)) {
            }
            QCOMPARE(b.browser().DirPath(), b.work + (userActs ? u"/Alpha"_s : u"/beta"_s));
            QCOMPARE(b.browser().DirVis(), userActs);
            QCOMPARE(b.form->settings().SettingsDirty(), userActs);  // restored, not changed
        }
    }

    void aDirectoryGoneSinceItWasListedIsToldAndNothingChanges() {
        Browser b;
        b.dirList().DirList_Click(2);  // Zed
        QVERIFY(QDir(b.work + u"/Zed"_s).removeRecursively());
        b.dirList().DirList_DblClick();
        QCOMPARE(b.fake.messages.shown.size(), size_t(1));
        QCOMPARE(b.fake.messages.shown[0].text, u"Folder is unavailable or no longer exist."_s);
        QCOMPARE(b.fake.messages.shown[0].icon, MsgIcon::None);
        QCOMPARE(b.browser().DirPath(), b.work);
        QCOMPARE(b.browser().DirSel(), 2);
    }

    // "Explore" opens the highlighted directory, "Open" and a double click
    // the highlighted file; a success hides the window when "Auto Hide
    // Window" is checked, a failure says so.
    void exploreAndOpenHandTheShellTheirPath() {
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
        };
        for (const Case& c : cases) {
            Browser b;
            b.fake.shell.accept = c.opens;
            b.dirList().DirList_Click(1);
            b.fileList().FileList_Click(1);
            const QByteArray how(c.how);
            if (how == "explore") {
                b.dirMenu(DirMenuId::dlExplore);
            } else if (how == "open") {
                b.fake.menus.choose(FileMenuId::flOpen);
                b.fileList().FileList_MouseDown(ButtonRight, 0, 0, 0);
            } else {
                b.fileList().FileList_DblClick();
            }
            QCOMPARE(b.fake.shell.opened.size(), size_t(1));
            QCOMPARE(b.fake.shell.opened[0].toLocalFile(), b.work + QLatin1String(c.path));
            QCOMPARE(b.fake.window.visible, !c.opens);  // "Auto Hide Window" is checked
            const QStringList messages = [&b] {
                QStringList texts;
                for (const ShownMessage& shown : b.fake.messages.shown)
                    texts << shown.title + u": "_s + shown.text;
                return texts;
            }();
            QCOMPARE(messages, c.opens ? QStringList()
                                       : QStringList{u"Warning: "_s + QLatin1String(c.failure)});
            QCOMPARE(b.fake.window.pointer(), int(PointerDefault));
        }
    }
};

QTEST_GUILESS_MAIN(TestBrowserPanel)
#include "test_browser_panel.moc"
