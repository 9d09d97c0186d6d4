// When the settings are read and written, and what happens to a file that
// cannot be used.
#include "FormHarness.h"
#include "WarningsFail.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTest>

namespace {
void expectWarning(const char* pattern) {
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1String(pattern)));
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class TestSettingsStore : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void tenChangesWithinAMinuteMakeOneWriteAMinuteAfterTheTenth() {
        FormHarness h;
        h.loadAndShow();
        h.form->settings().SaveSettings();  // the file exists from here on
        const QByteArray before = h.settingsBytes();
        for (int i = 0; i < 10; ++i) {
            h.form->tree().Add(nullptr, tvwLast, QString(), QString::number(i),
                               QStringLiteral("leaf"));
            h.form->settings().ScheduleSave();
            h.wait(5000);
        }
        h.wait(54999);
        QCOMPARE(h.settingsBytes(), before);
        h.wait(1);
        QCOMPARE(h.settingsLines().filter(QStringLiteral("Node=")).size(), 10);
    }

    // Until the window was shown once, a due save reads instead: a missing
    // file stays missing, an existing one is read and left as it is.
    void aSaveWhileSettingsArePendingReadsInstead() {
        FormHarness none;
        none.load();
        none.wait(60000);
        none.click(TrayRightUp);
        none.form->settings().ScheduleSave();
        none.wait(60000);
        QVERIFY(!none.settingsExist());
        none.click(TrayLeftUp);
        QVERIFY(!none.settingsExist());
        none.wait(60000);
        const QStringList lines = none.settingsLines();
        QCOMPARE(lines.size(), 11);

        FormHarness h;
        h.writeSettings({QStringLiteral("WinTop=1000"), QStringLiteral("Hide=False"),
                         QStringLiteral("Node=Work\t\tclosed\topen\tTrue\t0\tFalse"),
                         QStringLiteral("QLI=Work\t/tmp")});
        const QByteArray before = h.settingsBytes();
        h.load();
        h.wait(60000);
        QVERIFY(!h.form->settings().SettingsPending());
        QCOMPARE(h.form->tree().Count(), 1);
        QCOMPARE(h.form->tray().Quick().QuickLast(), 0);
        QVERIFY(!h.form->options().AutoHide());
        QCOMPARE(h.form->settings().SavedRect().top, 1000);
        QCOMPARE(h.fake.window.rect.top, 1000);
        QCOMPARE(h.fake.window.pointers, (std::vector<int>{PointerBusy, PointerDefault}));
        QCOMPARE(h.settingsBytes(), before);
    }

    void onlyChangesAndMovesAreWrittenAndAMinimisedWindowKeepsItsNormalRectangle() {
        FormHarness h;
        h.loadAndShow();
        h.form->settings().SaveSettings();
        QVERIFY(QFile::remove(h.paths.settingsPath));
        h.form->settings().SaveSettings();
        QVERIFY(!h.settingsExist());
        h.fake.window.rect.left += 150;  // a move alone is noticed by the next save
        h.fake.window.pointers.clear();
        h.form->settings().SaveSettings();
        QCOMPARE(h.form->settings().SavedRect(), h.fake.window.rect);
        QCOMPARE(h.fake.window.pointers, (std::vector<int>{PointerBusy, PointerDefault}));

        const TwipsRect normal = h.fake.window.rect;
        h.fake.window.state = StateMinimized;
        h.fake.window.rect = {16000, 30000, 400, 2000};
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        const QStringList lines = h.settingsLines();
        QCOMPARE(lines[0], QStringLiteral("WinTop=%1").arg(normal.top));
        QCOMPARE(lines[3], QStringLiteral("Winwidth=%1").arg(normal.width));
        QCOMPARE(lines[4], QStringLiteral("WinState=1"));
    }

    // Where the window cannot know its place (Wayland), the place read is
    // the place written; sizes are kept as ever.
    void aPlaceTheWindowCannotKnowIsKeptAsRead() {
        FormHarness h;
        h.fake.window.positions = false;
        h.writeSettings({QStringLiteral("WinTop=1000"), QStringLiteral("WinLeft=2000"),
                         QStringLiteral("WinHeight=4200"), QStringLiteral("Winwidth=7200")});
        h.loadAndShow();
        h.fake.window.rect = {0, 0, 4200, 7200};  // all that Wayland tells
        h.form->settings().SaveSettings();
        QVERIFY(QFile::remove(h.paths.settingsPath));
        h.form->settings().SaveSettings();
        QVERIFY(!h.settingsExist());  // nothing moved, nothing to write
        h.fake.window.rect.width = 9000;
        h.form->Form_Resize();
        h.form->settings().SaveSettings();
        QCOMPARE(h.settingsLines().mid(0, 4),
                 (QStringList{QStringLiteral("WinTop=1000"), QStringLiteral("WinLeft=2000"),
                              QStringLiteral("WinHeight=4200"), QStringLiteral("Winwidth=9000")}));
    }

    void aFailedWriteOffersRetryAndCancelAndKeepsTheChange() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(QDir().mkpath(h.paths.settingsPath));  // cannot be replaced
        h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
        h.form->tvAutoHide_Click();
        expectWarning("cannot write");
        expectWarning("cannot write");
        h.form->settings().SaveSettings();
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));
        const ShownMessage& box = h.fake.messages.shown[0];
        QCOMPARE(box.text,
                 QStringLiteral("Unable to save settings.  The INI file may already be opened."));
        QCOMPARE(box.title, QStringLiteral("Varnel"));
        QCOMPARE(box.buttons, MsgButtons::RetryCancel);
        QCOMPARE(box.icon, MsgIcon::Stop);
        QVERIFY(h.form->settings().SettingsDirty());
        QCOMPARE(h.fake.window.pointer(), int(PointerDefault));
        QVERIFY(QDir(h.paths.settingsPath).removeRecursively());
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(QStringLiteral("Hide=False")));
    }

    // A file this run could not read is never replaced nor deleted, however
    // often that happens: each is kept under a fresh name, and the user told.
    void unreadableFilesAreKeptAsideUnderFreshNames() {
        QTemporaryDir dir;
        for (const char* aside : {".unread", ".unread.2"}) {
            FormHarness h(dir.path());
            QVERIFY(QDir().mkpath(h.paths.settingsPath + QStringLiteral("/mine")));  // unreadable
            h.load();
            h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
            expectWarning("cannot read");
            expectWarning("cannot read");
            h.click(TrayRightUp);
            QCOMPARE(h.fake.messages.shown.size(), size_t(2));
            QCOMPARE(
                h.fake.messages.shown[0].text,
                QStringLiteral("Unable to load settings.  The INI file may already be opened."));
            QVERIFY(h.form->settings().SettingsPending());
            h.wait(250);
            QCOMPARE(h.fake.menus.shown.size(), size_t(1));  // the menu still opens

            expectWarning("cannot read");
            h.click(TrayLeftUp);  // Cancel again: shown with an empty tree
            expectWarning("kept the settings file");
            h.form->settings().SaveSettings();
            const QString kept = h.paths.settingsPath + QLatin1String(aside);
            QVERIFY(QFileInfo(kept + QStringLiteral("/mine")).isDir());
            QVERIFY(QFileInfo(h.paths.settingsPath).isFile());
            QCOMPARE(h.fake.messages.shown.size(), size_t(4));
            QVERIFY(h.fake.messages.shown[3].text.contains(kept));
            h.form.reset();
            QVERIFY(QFile::remove(h.paths.settingsPath));
        }
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Varnel.INI.unread/mine"))).isDir());
    }

    // A link to somebody's document is no settings file: nothing in it is
    // recognised, and it is moved aside rather than written over, also by
    // the save at the end of a session.
    void aFileWithNothingRecognisedIsKeptAside() {
        FormHarness h;
        const QString letter = h.temp->filePath(QStringLiteral("letter.txt"));
        QFile file(letter);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Dear Ann,\r\nthe garden is in bloom.\r\n");
        file.close();
        QVERIFY(QFile::link(letter, h.paths.settingsPath));
        expectWarning("nothing a settings file holds");
        h.loadAndShow();
        expectWarning("kept the settings file");
        h.form->SessionEnding();  // a log-off: said in the log, no box to hold it up
        QVERIFY(h.fake.messages.shown.empty());
        QCOMPARE(h.fake.window.quits, 1);
        QCOMPARE(QFileInfo(h.paths.settingsPath + QStringLiteral(".unread")).symLinkTarget(),
                 letter);
        QCOMPARE(contentOf(letter), QByteArray("Dear Ann,\r\nthe garden is in bloom.\r\n"));
        QVERIFY(!QFileInfo(h.paths.settingsPath).isSymLink());
        QCOMPARE(h.settingsLines().size(), 11);
    }

    // A name one character too long for the system: the file cannot be
    // renamed, even by root, so nothing may be written in its place.
    void aFileThatCannotBeMovedAsideStopsEverySave() {
        QTemporaryDir temp;
        QString dir = temp.path();
        const qsizetype target = 4095 - qsizetype(sizeof("/Varnel.INI") - 1) - 3;
        while (dir.size() < target)
            dir += u'/' + QString(std::min<qsizetype>(200, target - dir.size() - 1), u'd');
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/Varnel.INI")));
        FormHarness h(dir);
        h.paths.lockPath = temp.filePath(QStringLiteral("Varnel.lock"));
        h.form = std::make_unique<FrmVarnel>(h.fake.platform(), h.paths);
        h.load();
        expectWarning("cannot read");
        h.click(TrayLeftUp);
        expectWarning("cannot move");
        h.form->settings().SaveSettings();
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));
        QVERIFY(h.fake.messages.shown[1].text.contains(QStringLiteral("move it aside")));
        expectWarning("cannot move");
        h.form->settings().SaveSettings();
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));  // told once
        QVERIFY(QFileInfo(h.paths.settingsPath).isDir());
        QVERIFY(h.form->settings().SettingsDirty());
    }

    // On a write-protected stick the file beside the program is read, and
    // the settings go to the configuration directory from then on.
    void aFileBesideAReadOnlyProgramIsReadAndNeverWritten() {
        FormHarness h;
        const QString config = h.temp->filePath(QStringLiteral("config/varnel"));
        h.writeSettings({QStringLiteral("Hide=False"), QStringLiteral("QLI=Tmp\t/tmp")});
        h.paths.programCopyPath = h.paths.settingsPath;
        h.paths.settingsPath = config + QStringLiteral("/Varnel.INI");
        const QByteArray beside = contentOf(h.paths.programCopyPath);
        h.form = std::make_unique<FrmVarnel>(h.fake.platform(), h.paths);
        h.loadAndShow();
        QVERIFY(!h.form->options().AutoHide());
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(QStringLiteral("QLI=Tmp\t/tmp")));
        QCOMPARE(contentOf(h.paths.programCopyPath), beside);
    }

    void theWorkedExampleComesBackLineForLine() {
        FormHarness h;
        QFile example(QStringLiteral(VARNEL_TEST_DATA "/settings/worked_example.ini"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(example.readAll()).split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        // The file's paths name files and a directory that exist on this machine.
        const QString home = QDir::cleanPath(h.temp->path());
        lines.replaceInStrings(QStringLiteral("/home/ann"), home);
        lines.replaceInStrings(QStringLiteral("Drive=/"),
                               QStringLiteral("Drive=") + QStorageInfo(home).rootPath());
        QVERIFY(QDir(home).mkpath(QStringLiteral("Docs")));
        QFile notes(home + QStringLiteral("/Docs/notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        h.fake.images.hasIcons = true;
        h.fake.window.rect = {0, 0, 5400, 7200};
        h.writeSettings(lines);
        h.loadAndShow();
        QCOMPARE(h.fake.window.rect, (TwipsRect{1200, 2400, 5400, 7200}));
        TreeNode* editor = h.form->tree().SelectedItem();
        QCOMPARE(editor->Text(), QStringLiteral("Editor"));
        QVERIFY(editor->Parent()->Expanded());  // scrolled into view, its folder opened
        QCOMPARE(h.fake.treeView.scrolledTo, std::vector<TreeNode*>{editor});
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        // Notes' icon is looked up anew and is the first item icon again;
        // Tools was opened to show Editor.
        lines.replaceInStrings(QStringLiteral("Tools\t\tclosed\topen\tFalse"),
                               QStringLiteral("Tools\t\tclosed\topen\tTrue"));
        QCOMPARE(h.settingsLines(), lines);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
