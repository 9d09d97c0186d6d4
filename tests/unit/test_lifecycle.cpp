// Start-up, the single instance, close requests, unloading, no tray, and the
// window helpers.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "files/LongPath.h"

#include <QProcess>
#include <QSysInfo>

using namespace Qt::Literals::StringLiterals;

namespace {
// A case-insensitive file system holding a few stored names: any spelling
// finds them.
struct CaseBlindNames : FileNames {
    const QStringList stored{u"/STICK"_s, u"/STICK/ReadMe.txt"_s, u"/STICK/2024"_s,
                             u"/STICK/2024/x"_s};
    QString find(const QString& path) const {
        for (const QString& entry : stored)
            if (entry.compare(path, Qt::CaseInsensitive) == 0)
                return entry;
        return {};
    }
    bool exists(const QString& path) const override { return !find(path).isEmpty(); }
    bool sameEntry(const QString& path, const QString& other) const override {
        return exists(path) && find(path) == find(other);
    }
    QStringList entries(const QString& directory) const override {
        QStringList names;
        for (const QString& entry : stored) {
            const qsizetype slash = entry.lastIndexOf(u'/') + 1;
            if (entry.left(slash).compare(directory, Qt::CaseInsensitive) == 0)
                names << entry.mid(slash);
        }
        return names;
    }
};
}  // namespace

class TestLifecycle : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void startsHiddenCentredWithItsIconAndPendingSettings() {
        FormHarness h;
        h.fake.window.rect = {0, 0, 4001, 7001};
        h.load();
        QVERIFY(!h.fake.window.visible && h.fake.tray.shown);
        QCOMPARE(h.fake.window.rect,
                 (TwipsRect{(16200 - 4001) / 2, (28800 - 7001) / 2, 4001, 7001}));
        QVERIFY(h.form->settings().SettingsPending());
    }

    void oneCopyRunsAndALockThatCannotBeMadeIsNoSecondCopy() {
        FormHarness first;
        first.load();
        FormHarness second(first.paths.programDir);
        QVERIFY(!second.form->Form_Load().runs);
        QCOMPARE(second.fake.messages.shown.at(0).text,
                 u"Varnel is already installed in the Tray"_s);
        first.form.reset();
        FormHarness third(first.paths.programDir);
        QVERIFY(third.form->Form_Load().runs);

        // A lock that cannot be made, in a folder that cannot exist or one
        // that takes no files: no second copy is claimed to run.
        writeFile(first.temp->filePath(u"file"_s), {});
        for (const QString& lock :
             {first.temp->filePath(u"file/Varnel.lock"_s), u"/proc/Varnel.lock"_s}) {
            FormHarness blocked;
            blocked.paths.lockPath = lock;
            blocked.form = std::make_unique<FrmVarnel>(blocked.fake.platform(), blocked.paths);
            expectWarning("lock file");
            QCOMPARE(blocked.form->Form_Load().exitStatus, 1);
            const QString text = blocked.fake.messages.shown.at(0).text;
            QVERIFY2(text.contains(lock) && !text.contains(u"Tray"_s), qPrintable(text));
        }
    }

    // The lock lives in the runtime folder, named for the settings file
    // however its path is spelled: removing the settings folder while a copy
    // runs takes no lock with it, and a second copy is still refused. The
    // first saves on, making the folder again.
    void theLockLivesApartFromTheSettings() {
        QTemporaryDir temp;
        const QString config = temp.filePath(u"config/varnel"_s);
        const QString run = temp.path();  // the runtime folder, made by the session
        const AppPaths paths = ChooseAppPaths(temp.filePath(u"bin"_s), config, run);
        QCOMPARE(QFileInfo(paths.lockPath).absolutePath() + u' ' + paths.settingsPath,
                 run + u"/varnel "_s + config + u"/Varnel.INI"_s);
        QCOMPARE(ChooseAppPaths(temp.path(), config + u"/../varnel/"_s, run).lockPath,
                 paths.lockPath);
        // A linked file moved aside leaves a plain file under the same lock.
        QFile document(temp.filePath(u"doc.ini"_s));
        QVERIFY(QDir().mkpath(config) && document.open(QIODevice::WriteOnly) &&
                document.link(paths.settingsPath));
        QCOMPARE(ChooseAppPaths(temp.filePath(u"bin"_s), config, run).lockPath, paths.lockPath);
        QVERIFY(QFile::remove(paths.settingsPath));
        FormHarness first, second;
        for (FormHarness* h : {&first, &second}) {
            h->paths = paths;
            h->form = std::make_unique<FrmVarnel>(h->fake.platform(), h->paths);
        }
        first.loadAndShow();
        first.form->settings().SaveSettings();
        QVERIFY(QFile::exists(paths.settingsPath) && QDir(config).removeRecursively());
        QVERIFY(!second.form->Form_Load().runs);
        first.form->tvAutoHide_Click();
        first.form->settings().SaveSettings();
        QVERIFY(first.settingsLines().contains(u"Hide=False"_s));
    }

    // A lock left over is taken over, whatever it holds: nothing (as a power
    // cut leaves it), garbage, another machine's name, a live process that
    // is no copy of this program, this very process (its number reused). A
    // copy whose own lock was deleted leaves alone the lock of a copy that
    // took its place.
    void leftOverLocksAreTakenOverAndOnlyOurOwnRemoved() {
        QProcess stranger;
        stranger.start(u"sleep"_s, {u"60"_s});
        QVERIFY(stranger.waitForStarted());
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QByteArray strangers =
            QByteArray::number(stranger.processId()) + "\nsleep\n" + host + "\n";
        const QByteArray ours = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                                QCoreApplication::applicationName().toUtf8() + '\n' + host + '\n';
        for (const QByteArray& left : {QByteArray(), QByteArray("\x7f\x01garbage"),
                                       QByteArray("1\nVarnel\nelsewhere\n"), strangers, ours}) {
            FormHarness h;
            writeFile(h.paths.lockPath, left);
            QVERIFY2(h.form->Form_Load().runs, left.constData());
        }
        FormHarness h;
        h.load();
        QFile::remove(h.paths.lockPath);
        writeFile(h.paths.lockPath, strangers);
        expectWarning("Could not remove our own lock");
        h.form->tvUnload_Click();
        h.wait(100);
        QCOMPARE(contentOf(h.paths.lockPath), strangers);
        stranger.kill();
        stranger.waitForFinished();
    }

    // Unloading ends a tenth of a second later, not inside the menu's own
    // click; a window never shown only read its settings, so writes nothing.
    // (A save refused on the way out: see the recovery tests.)
    void unloadEndsATenthOfASecondLaterAndSavesOnlyWhatChanged() {
        FormHarness h;
        h.load();
        h.form->tray().tiUnload_Click();
        h.wait(99);
        QCOMPARE(h.fake.window.quits, 0);
        h.wait(1);
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(!h.fake.tray.shown && !h.settingsExist());

        FormHarness changed;
        changed.loadAndShow();
        changed.form->tvAutoHide_Click();
        changed.form->SessionEnding();
        changed.form->SessionEnding();  // a second signal during the unload changes nothing
        QCOMPARE(changed.fake.window.quits, 1);
        QVERIFY(changed.settingsLines().contains(u"Hide=False"_s));
    }

    void theCloseBoxHidesAndSavesButNeverEnds() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(h.settingsExist());
        QVERIFY(!h.form->Form_QueryUnload(vbAppWindows));  // other reasons are not cancelled
    }

    // Without a tray the window is the only way in: it shows at once, never
    // minimised, and the close box minimises it without that being kept.
    void withoutATrayTheWindowStaysReachable() {
        FormHarness h;
        h.writeSettings({u"WinState=1"_s});
        h.load();
        h.form->tray().trayHostChanged(TrayHost::Absent);
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.window.state, int(StateNormal));
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QCOMPARE(h.fake.window.state, int(StateMinimized));
        h.form->tvAutoHide_Click();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"WinState=0"_s));
    }

    // Each component is spelled as stored, found case-blind where the name
    // asked for is not there; two names differing only in case give no one
    // spelling. On a stick formatted FAT any spelling exists, and the
    // spelling that comes back is the one stored.
    void longPathSpellsComponentsAsTheFileSystemDoes() {
        QTemporaryDir temp;
        const QString base = temp.path();
        QVERIFY(QDir(base).mkpath(u"Program Files/Accessories"_s));
        QVERIFY(QDir(base).mkpath(u"Twin"_s) && QDir(base).mkpath(u"TWIN"_s));
        const std::pair<const char*, const char*> cases[] = {
            {"/program files/ACCESSORIES", "/Program Files/Accessories"},
            {"//Program Files///", "/Program Files"},
            {"/program files/nowhere", "/program files/nowhere"},
            {"/twin", "/twin"},
        };
        for (const auto& [asked, spelled] : cases)
            QCOMPARE(LongPath(base + QLatin1String(asked)), base + QLatin1String(spelled));
        QCOMPARE(LongPath(u"/"_s), u"/"_s);
        const CaseBlindNames stick;
        QCOMPARE(LongPath(u"/stick/2024/X"_s, stick), u"/STICK/2024/x"_s);
        QCOMPARE(LongPath(u"/Stick//readme.TXT/"_s, stick), u"/STICK/ReadMe.txt"_s);
        QCOMPARE(LongPath(u"/stick/none/ReadMe.txt"_s, stick), u"/stick/none/ReadMe.txt"_s);
    }
};

QTEST_GUILESS_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
