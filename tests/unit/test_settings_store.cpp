// When the settings are read and written, and what happens to a file that
// cannot be used.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "tree/TreeMenu.h"

#include <QStorageInfo>

using namespace Qt::Literals::StringLiterals;

class TestSettingsStore : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void tenChangesWithinAMinuteMakeOneWriteAMinuteAfterTheTenth() {
        FormHarness h;
        h.loadAndShow();
        h.form->settings().SaveSettings();  // the file exists from here on
        const QByteArray before = h.settingsBytes();
        for (int i = 0; i < 9; ++i) {
            h.form->tree().Add(nullptr, tvwLast, QString(), QString::number(i), u"leaf"_s);
            h.form->settings().ScheduleSave();
            h.wait(5000);
        }
        h.fake.menus.choose(TreeMenuId::tvFullPath);  // the tenth: a check mark of the tree's menu
        h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 500, 500);
        h.wait(5000 + 54999);
        QCOMPARE(h.settingsBytes(), before);
        h.wait(1);
        QCOMPARE(h.settingsLines().filter(u"Node="_s).size(), 9);
        QVERIFY(h.settingsLines().contains(u"Path=False"_s));
    }

    // Until the window was shown once, a due save reads instead: a missing
    // file stays missing.
    void aSaveWhileSettingsArePendingReadsInstead() {
        FormHarness none;
        none.load();
        none.click(TrayRightUp);
        none.form->settings().ScheduleSave();
        none.wait(60000);
        none.click(TrayLeftUp);
        QVERIFY(!none.settingsExist());
        none.wait(60000);
        QCOMPARE(none.settingsLines().size(), 11);
    }

    // Nothing changed, nothing written; a move alone is noticed; a minimised
    // window keeps its normal rectangle; a failed write offers Retry and
    // Cancel, and keeps the change. Where the window cannot know its
    // place (Wayland), the place read is the place written.
    void onlyChangesAndMovesAreWrittenAndAFailedWriteKeepsThem() {
        FormHarness h;
        h.loadAndShow();
        h.form->settings().SaveSettings();
        QVERIFY(QFile::remove(h.paths.settingsPath));
        h.form->settings().SaveSettings();
        QVERIFY(!h.settingsExist());
        h.fake.window.rect.left += 150;
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"WinLeft=%1"_s.arg(h.fake.window.rect.left)));
        const TwipsRect normal = h.fake.window.rect;
        h.fake.window.state = StateMinimized;
        h.fake.window.rect = {16000, 30000, 400, 2000};
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        QCOMPARE(h.settingsLines().mid(3, 2),
                 (QStringList{u"Winwidth=%1"_s.arg(normal.width), u"WinState=1"_s}));
        QVERIFY(QFile::remove(h.paths.settingsPath) && QDir().mkpath(h.paths.settingsPath));
        h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
        h.form->tvAutoHide_Click();
        expectWarning("cannot write", 2);
        h.form->settings().SaveSettings();
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));  // its text: the recovery tests
        QVERIFY(QDir(h.paths.settingsPath).removeRecursively());
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"Hide=False"_s));

        FormHarness w;
        w.fake.window.positions = false;
        const QStringList place{u"WinTop=1000"_s, u"WinLeft=2000"_s, u"WinHeight=4200"_s};
        w.writeSettings(place + QStringList{u"Winwidth=7200"_s});
        w.loadAndShow();
        w.fake.window.rect = {0, 0, 4200, 9000};  // all that Wayland tells
        w.form->Form_Resize();
        w.form->settings().SaveSettings();
        QCOMPARE(w.settingsLines().mid(0, 4), place + QStringList{u"Winwidth=9000"_s});
    }

    // A file this run could not read is never replaced nor deleted, however
    // often that happens: each is kept under a fresh name, and the user told.
    // The menu still opens after the read was cancelled.
    void unreadableFilesAreKeptAsideUnderFreshNames() {
        QTemporaryDir dir;
        for (const char* aside : {".unread", ".unread.2"}) {
            FormHarness h(dir.path());
            QVERIFY(QDir().mkpath(h.paths.settingsPath + u"/mine"_s));  // unreadable
            h.load();
            h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
            expectWarning("cannot read", 2);
            h.click(TrayRightUp);
            h.wait(250);
            QCOMPARE(h.fake.menus.shown.size(), size_t(1));
            expectWarning("cannot read");
            h.click(TrayLeftUp);  // Cancel again: shown with an empty tree
            expectWarning("kept the settings file");
            h.form->settings().SaveSettings();
            const QString kept = h.paths.settingsPath + QLatin1String(aside);
            QVERIFY(QFileInfo(kept + u"/mine"_s).isDir() &&
                    QFileInfo(h.paths.settingsPath).isFile());
            QVERIFY(h.fake.messages.shown.at(3).text.contains(kept));
            h.form.reset();
            QVERIFY(QFile::remove(h.paths.settingsPath));
        }
    }

    // A link to another program's document is no settings file, even with a
    // line in it that one holds: the link is moved aside before the first
    // save, the user told once where it went, and the document left as it is.
    void aLinkedDocumentIsKeptAsideNotWrittenOver() {
        FormHarness h;
        const QString document = h.temp->filePath(u"firefox.desktop"_s);
        const QByteArray desktop = "[Desktop Entry]\r\nName=Firefox\r\nPath=/home/ann\r\n";
        writeFile(document, desktop);
        QVERIFY(QFile::link(document, h.paths.settingsPath));
        expectWarning("lines no settings file holds");
        h.loadAndShow();
        expectWarning("kept the settings file");
        for (int save = 0; save < 2; ++save) {
            h.form->tvAutoHide_Click();
            h.form->settings().SaveSettings();
        }
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.messages.shown[0].text.contains(h.paths.settingsPath + u".unread"_s));
        QCOMPARE(QFileInfo(h.paths.settingsPath + u".unread"_s).symLinkTarget(), document);
        QCOMPARE(contentOf(document), desktop);
        QVERIFY(!QFileInfo(h.paths.settingsPath).isSymLink() &&
                h.settingsLines().contains(u"Hide=True"_s));
    }

    // A removed settings folder is made again and the save goes on; where
    // its parent went too (a stick pulled out), nothing is written anywhere.
    void aRemovedFolderIsMadeAgainOnlyWhereItWas() {
        FormHarness h;
        const QString stick = h.temp->filePath(u"stick"_s);
        h.paths.settingsPath = stick + u"/varnel/Varnel.INI"_s;
        QVERIFY(QDir().mkpath(stick + u"/varnel"_s));
        h.writeSettings({u"Hide=False"_s});
        h.form = std::make_unique<FrmVarnel>(h.fake.platform(), h.paths);
        h.loadAndShow();
        QVERIFY(QDir(stick + u"/varnel"_s).removeRecursively());
        h.form->tvAutoHide_Click();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"Hide=True"_s));
        QVERIFY(QDir(stick).removeRecursively());
        expectWarning("cannot write.*is gone");
        h.form->tvAutoHide_Click();
        h.form->settings().SaveSettings();
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(!QFileInfo::exists(stick));
    }

    // A name one character too long for the system: the file cannot be
    // renamed, even by root, so nothing may be written in its place.
    void aFileThatCannotBeMovedAsideStopsEverySave() {
        QTemporaryDir temp;
        QString dir = temp.path();
        const qsizetype target = 4095 - qsizetype(sizeof("/Varnel.INI") - 1) - 3;
        while (dir.size() < target)
            dir += u'/' + QString(std::min<qsizetype>(200, target - dir.size() - 1), u'd');
        QVERIFY(QDir().mkpath(dir + u"/Varnel.INI"_s));
        FormHarness h(dir);
        h.paths.lockPath = temp.filePath(u"Varnel.lock"_s);
        h.form = std::make_unique<FrmVarnel>(h.fake.platform(), h.paths);
        h.load();
        expectWarning("cannot read");
        h.click(TrayLeftUp);
        for (int save = 0; save < 2; ++save) {
            expectWarning("cannot move");
            h.form->settings().SaveSettings();
        }
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));  // told once
        QVERIFY(h.fake.messages.shown[1].text.contains(u"move it aside"_s));
        QVERIFY(QFileInfo(h.paths.settingsPath).isDir());
    }

    // On a write-protected stick the file beside the program is read, and
    // the settings go to the configuration directory from then on.
    void aFileBesideAReadOnlyProgramIsReadAndNeverWritten() {
        FormHarness h;
        h.writeSettings({u"Hide=False"_s, u"QLI=Tmp\t/tmp"_s});
        h.paths.programCopyPath = h.paths.settingsPath;
        h.paths.settingsPath = h.temp->filePath(u"config/varnel/Varnel.INI"_s);
        const QByteArray beside = contentOf(h.paths.programCopyPath);
        h.form = std::make_unique<FrmVarnel>(h.fake.platform(), h.paths);
        h.loadAndShow();
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"Hide=False"_s));
        QCOMPARE(contentOf(h.paths.programCopyPath), beside);
    }

    void theWorkedExampleComesBackLineForLine() {
        FormHarness h;
        QStringList lines =
            QString::fromUtf8(
                contentOf(QStringLiteral(VARNEL_TEST_DATA "/settings/worked_example.ini")))
                .split(u"\r\n"_s, Qt::SkipEmptyParts);
        // The file's paths name files and a directory that exist on this machine.
        const QString home = QDir::cleanPath(h.temp->path());
        lines.replaceInStrings(u"/home/ann"_s, home);
        lines.replaceInStrings(u"Drive=/"_s, u"Drive="_s + QStorageInfo(home).rootPath());
        QVERIFY(QDir(home).mkpath(u"Docs"_s));
        QVERIFY(QFile(home + u"/Docs/notes.txt"_s).open(QIODevice::WriteOnly));
        h.fake.images.hasIcons = true;
        h.writeSettings(lines);
        h.loadAndShow();
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        // Notes' icon is looked up anew and is the first item icon again;
        // Tools was opened to show Editor.
        lines.replaceInStrings(u"Tools\t\tclosed\topen\tFalse"_s, u"Tools\t\tclosed\topen\tTrue"_s);
        QCOMPARE(h.settingsLines(), lines);
    }

    // A web address is kept exactly as it was given, in the tree and in the
    // quick list: the characters a URL is made of, escapes and text that is
    // not ASCII are written as they are and read back the same.
    void webAddressesComeBackExactly() {
        const QStringList addresses{u"https://example.org/a:b/c?q=1&r=%20x&s=%25#frag=1/2"_s,
                                    u"https://\u4f8b\u3048.jp/\u30d1\u30b9?q=\u00fc&z=%E6%97%A5"_s,
                                    u"mailto:ann@example.org?subject=Caf%C3%A9&body=a%26b"_s,
                                    u"HTTP://example.org/say\"hi\""_s};
        FormHarness h;
        h.loadAndShow();
        for (const QString& address : addresses) {
            TreeNode* node = h.form->tree().Add(nullptr, tvwLast, QString(), u"Web"_s, u"leaf"_s);
            node->SetTag(address);
            h.form->tree().SetSelectedItem(node);
            h.form->tray().tvAddQuickList_Click();
        }
        h.form->settings().SaveSettings();
        const QStringList lines = h.settingsLines();
        for (const QString& address : addresses) {
            QCOMPARE(lines.filter(u"Node=Web\t"_s + address + u"\tleaf\t"_s).size(), 1);
            QVERIFY(lines.contains(u"QLI=Web\t"_s + address));
        }
        // Read back and written again, each line is as it was.
        FormHarness again;
        again.writeSettings(lines);
        again.loadAndShow();
        again.form->settings().ScheduleSave();
        again.form->settings().SaveSettings();
        QCOMPARE(again.settingsLines(), lines);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
