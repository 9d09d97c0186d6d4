// When the settings are read and written, and what the user sees when that fails.
#include "FormHarness.h"
#include "platform/Timer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTest>

namespace {
QStringList keyLines(int top = 1000) {
    return {QStringLiteral("WinTop=%1").arg(top), QStringLiteral("WinLeft=2000"),
            QStringLiteral("WinHeight=4200"), QStringLiteral("Winwidth=7200"),
            QStringLiteral("WinState=0"), QStringLiteral("Hide=False"),
            QStringLiteral("Path=True"), QStringLiteral("Drive=/"),
            QStringLiteral("DirPath=/"), QStringLiteral("DirSel=-1"),
            QStringLiteral("DirVis=True")};
}
}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tenChangesWithinAMinuteMakeOneWriteAMinuteAfterTheTenth() {
        FormHarness h;
        h.loadAndShow();
        h.form->SaveSettings();  // the file exists from here on
        const QByteArray before = h.settingsBytes();
        for (int i = 0; i < 10; ++i) {
            h.form->Tree().Add(nullptr, tvwLast, QString(), QString::number(i), QStringLiteral("leaf"));
            h.form->ScheduleSave();
            h.wait(5000);
        }
        // 50 s after the first change and 5 s after the tenth: nothing yet.
        QCOMPARE(h.settingsBytes(), before);
        h.wait(54999);
        QCOMPARE(h.settingsBytes(), before);
        h.wait(1);
        QCOMPARE(h.settingsLines().filter(QStringLiteral("Node=")).size(), 10);
        QVERIFY(!h.form->SaveSetTimer->isActive());
        QVERIFY(!h.form->SettingsDirty);
    }

    void aSaveWhileSettingsArePendingReadsInstead() {
        FormHarness h;
        h.writeSettings(keyLines() + QStringList{
            QStringLiteral("Node=Work\t\tclosed\topen\tTrue\t0\tFalse"),
            QStringLiteral("[QuickList]"), QStringLiteral("QLI=Work\t/tmp")});
        const QByteArray before = h.settingsBytes();
        QVERIFY(h.form->Form_Load());
        h.wait(60000);
        QVERIFY(!h.form->SettingsPending);
        QCOMPARE(h.form->Tree().Count(), 1);
        QCOMPARE(h.form->quickList.QuickLast(), 0);
        QVERIFY(!h.form->AutoHideChecked);
        QCOMPARE(h.form->SavedTop, 1000);
        QCOMPARE(h.fake.window.rect.top, 1000);
        QCOMPARE(h.settingsBytes(), before);  // read, not written
    }

    void aMissingFileStaysMissingUntilTheWindowWasShown() {
        FormHarness h;
        QVERIFY(h.form->Form_Load());
        h.wait(60000);
        h.form->trayNotify(0, TrayRightUp);
        h.form->ScheduleSave();
        h.wait(60000);
        QVERIFY(h.form->SettingsPending);
        QVERIFY(!h.settingsExist());
        h.form->trayNotify(0, TrayLeftUp);
        QVERIFY(!h.settingsExist());
        h.wait(60000);
        QVERIFY(h.settingsExist());
        const QStringList lines = h.settingsLines();
        QCOMPARE(lines.size(), 11);
        QVERIFY(lines[0].startsWith(QStringLiteral("WinTop=")));
        // The browser opened on the program's directory.
        QCOMPARE(lines[8], QStringLiteral("DirPath=") + QDir::cleanPath(h.paths.programDir));
    }

    void nothingDirtyAndNoMoveWritesNothing() {
        FormHarness h;
        h.loadAndShow();
        h.form->SaveSettings();
        QVERIFY(h.settingsExist());
        QVERIFY(QFile::remove(h.paths.settingsPath));
        h.form->SaveSettings();
        QVERIFY(!h.settingsExist());
        // A move alone is noticed by the next save.
        h.fake.window.rect.left += 150;
        h.form->SaveSettings();
        QVERIFY(h.settingsExist());
        QCOMPARE(h.form->SavedLeft, h.fake.window.rect.left);
    }

    void aMinimisedWindowSavesItsStateAndItsLastNormalRectangle() {
        FormHarness h;
        h.loadAndShow();
        const TwipsRect normal = h.fake.window.rect;
        h.fake.window.state = StateMinimized;
        h.fake.window.rect = {16000, 30000, 400, 2000};
        h.form->ScheduleSave();
        h.form->SaveSettings();
        const QStringList lines = h.settingsLines();
        QCOMPARE(lines[0], QStringLiteral("WinTop=%1").arg(normal.top));
        QCOMPARE(lines[3], QStringLiteral("Winwidth=%1").arg(normal.width));
        QCOMPARE(lines[4], QStringLiteral("WinState=1"));
    }

    void aFailedWriteOffersRetryAndCancelAndKeepsTheChange() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(QDir().mkpath(h.paths.settingsPath));  // cannot be replaced
        h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
        h.form->tvAutoHide_Click();
        h.form->SaveSettings();
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));
        const ShownMessage& box = h.fake.messages.shown[0];
        QCOMPARE(box.text, QStringLiteral("Unable to save settings.  The INI file may already be opened."));
        QCOMPARE(box.title, QStringLiteral("Varnel"));
        QCOMPARE(box.buttons, MsgButtons::RetryCancel);
        QCOMPARE(box.icon, MsgIcon::Stop);
        QVERIFY(h.form->SettingsDirty);
        QVERIFY(!h.form->SaveSetTimer->isActive());
        QCOMPARE(h.fake.window.pointer(), int(PointerDefault));
        // Once the obstacle is gone, Retry writes.
        QVERIFY(QDir(h.paths.settingsPath).removeRecursively());
        h.fake.messages.onShow = [](const ShownMessage&) {};
        h.form->SaveSettings();
        QVERIFY(h.settingsLines().contains(QStringLiteral("Hide=False")));
        QVERIFY(!h.form->SettingsDirty);
    }

    void anUnreadableFileOffersRetryAndCancelAndIsNeverOverwritten() {
        FormHarness h;
        QVERIFY(QDir().mkpath(h.paths.settingsPath));  // exists, cannot be read
        QVERIFY(h.form->Form_Load());
        h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
        h.form->trayNotify(0, TrayRightUp);
        QCOMPARE(h.fake.messages.shown.size(), size_t(2));
        QCOMPARE(h.fake.messages.shown[0].text,
                 QStringLiteral("Unable to load settings.  The INI file may already be opened."));
        QVERIFY(h.form->SettingsPending);
        h.wait(250);  // the menu still opens
        QCOMPARE(h.fake.menus.shown.size(), size_t(1));
    }

    void aFileThatCouldNotBeReadIsMovedAsideBeforeTheFirstWrite() {
        FormHarness h;
        QVERIFY(QDir().mkpath(h.paths.settingsPath));  // exists, cannot be read
        QVERIFY(h.form->Form_Load());
        h.form->trayNotify(0, TrayLeftUp);  // Cancel: shown with an empty tree
        QVERIFY(!h.form->SettingsPending);
        h.form->SaveSettings();
        QVERIFY(QFileInfo(h.paths.settingsPath + QStringLiteral(".unread")).isDir());
        QVERIFY(QFileInfo(h.paths.settingsPath).isFile());
    }

    void closingWritesAtOnceWithoutWaitingForTheTimer() {
        FormHarness h;
        h.loadAndShow();
        h.form->tvAutoHide_Click();
        h.form->Form_QueryUnload(vbFormControlMenu);
        QVERIFY(h.settingsLines().contains(QStringLiteral("Hide=False")));
        QVERIFY(!h.form->SettingsDirty);
    }

    void theWorkedExampleComesBackLineForLine() {
        FormHarness h;
        QFile example(QStringLiteral(VARNEL_TEST_DATA "/settings/worked_example.ini"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(example.readAll()).split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        // The browser's lines name a directory that must exist on this machine.
        const QString home = QDir::cleanPath(h.temp->path());
        lines.replaceInStrings(QStringLiteral("DirPath=/home/ann"), QStringLiteral("DirPath=") + home);
        lines.replaceInStrings(QStringLiteral("Drive=/"),
                               QStringLiteral("Drive=") + QStorageInfo(home).rootPath());
        h.fake.window.rect = {0, 0, 5400, 7200};
        h.writeSettings(lines);
        h.loadAndShow();
        QCOMPARE(h.fake.window.rect, (TwipsRect{1200, 2400, 5400, 7200}));
        QCOMPARE(h.form->Tree().SelectedItem()->Text(), QStringLiteral("Editor"));
        QCOMPARE(h.fake.treeView.ensuredVisible.size(), size_t(1));
        h.form->ScheduleSave();
        h.form->SaveSettings();
        // Icon indices are assigned anew in every run: Notes had 4, now "leaf".
        lines.replaceInStrings(QStringLiteral("notes.txt\t4\t"), QStringLiteral("notes.txt\tleaf\t"));
        QCOMPARE(h.settingsLines(), lines);
        QVERIFY(h.settingsBytes().endsWith("\r\n"));
        for (int i = 1; i <= h.form->Tree().Count(); ++i)
            QVERIFY(h.form->Tree().Item(i)->Key().isEmpty());
    }

    void aTreeNestedVeryDeeplyLoadsAndSaves() {
        FormHarness h;
        QStringList lines;
        lines.reserve(100000);
        lines << QStringLiteral("Node=0\t\tclosed\topen\tTrue\t0\tFalse");
        for (int i = 1; i < 100000; ++i)
            lines << QStringLiteral("Node=%1\t\tclosed\topen\tTrue\t%2\tFalse").arg(i).arg(i);
        h.writeSettings(lines);
        h.loadAndShow();
        QCOMPARE(h.form->Tree().Count(), 100000);
        h.form->ScheduleSave();
        h.form->SaveSettings();
        QCOMPARE(h.settingsLines().size(), 11 + 100000);
        QCOMPARE(h.settingsLines().last(), lines.last());
    }

    void theBusyPointerShowsWhileWritingAndIsRestored() {
        FormHarness h;
        h.loadAndShow();
        h.fake.window.pointers.clear();
        h.form->ScheduleSave();
        h.form->SaveSettings();
        QCOMPARE(h.fake.window.pointers, (std::vector<int>{PointerBusy, PointerDefault}));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "test_settings_store.moc"
