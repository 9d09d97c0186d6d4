// Start-up, the single instance, close requests, unloading, no tray, and the
// window helpers.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "app/CenterForm.h"
#include "browser/LongPath.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A case-insensitive file system holding a few stored names: any spelling
// finds them.
class CaseBlindNames : public FileNames {
public:
    bool exists(const QString& path) const override { return !stored(path).isEmpty(); }
    bool sameEntry(const QString& path, const QString& other) const override {
        return exists(path) && stored(path) == stored(other);
    }
    QStringList entries(const QString& directory) const override {
        QStringList names;
        for (const QString& entry : Stored) {
            const QString parent = entry.left(entry.lastIndexOf(u'/') + 1);
            if (parent.compare(directory, Qt::CaseInsensitive) == 0)
                names << entry.mid(parent.size());
        }
        return names;
    }

private:
    static QString stored(const QString& path) {
        for (const QString& entry : Stored) {
            if (entry.compare(path, Qt::CaseInsensitive) == 0)
                return entry;
        }
        return {};
    }
    static inline const QStringList Stored{u"/STICK"_s, u"/STICK/ReadMe.txt"_s, u"/STICK/Photos"_s,
                                           u"/STICK/2024"_s, u"/STICK/2024/x"_s};
};
}  // namespace

class TestLifecycle : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void startsHiddenCentredWithItsIconAndPendingSettings() {
        FormHarness h;
        h.fake.window.rect = {0, 0, 4001, 7001};
        h.load();
        QVERIFY(!h.fake.window.visible);
        QCOMPARE(h.fake.tray.adds, 1);
        const TwipsRect centred{(16200 - 4001) / 2, (28800 - 7001) / 2, 4001, 7001};
        QCOMPARE(h.fake.window.rect, centred);
        QCOMPARE(h.form->settings().SavedRect(), centred);
        QVERIFY(h.form->settings().SettingsPending() && h.form->settings().SettingsDirty());
    }

    void oneCopyRunsAndALockThatCannotBeMadeIsNoSecondCopy() {
        FormHarness first;
        first.load();
        FormHarness second(first.paths.programDir);
        QVERIFY(!second.form->Form_Load());
        QCOMPARE(second.fake.messages.shown.size(), size_t(1));
        QCOMPARE(second.fake.messages.shown[0].text, u"Varnel is already installed in the Tray"_s);
        QCOMPARE(second.fake.tray.adds, 0);
        first.form.reset();
        FormHarness third(first.paths.programDir);
        QVERIFY(third.form->Form_Load());

        // A lock that cannot be made, in a folder that cannot exist or one
        // that takes no files: no second copy is claimed to run.
        QFile(first.temp->filePath(u"file"_s)).open(QIODevice::WriteOnly);
        for (const QString& lock :
             {first.temp->filePath(u"file/Varnel.lock"_s), u"/proc/Varnel.lock"_s}) {
            FormHarness blocked;
            blocked.paths.lockPath = lock;
            blocked.form = std::make_unique<FrmVarnel>(blocked.fake.platform(), blocked.paths);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"lock file"_s));
            QVERIFY(!blocked.form->Form_Load());
            const QString text = blocked.fake.messages.shown.at(0).text;
            QVERIFY2(text.contains(lock) && !text.contains(u"Tray"_s), qPrintable(text));
        }

        // Beside a program whose directory takes no files, the settings live
        // in the configuration directory, and the lock with them.
        const AppPaths paths = ChooseAppPaths(first.temp->filePath(u"file"_s), u"/cfg"_s);
        QCOMPARE(
            paths.settingsPath + u' ' + paths.lockPath + u' ' + paths.programCopyPath,
            u"/cfg/Varnel.INI /cfg/Varnel.lock "_s + first.temp->filePath(u"file/Varnel.INI"_s));
    }

    void unloadEndsATenthOfASecondLaterAndSavesOnlyWhatChanged() {
        FormHarness h;
        h.load();
        h.wait(30000);
        h.form->tray().tiUnload_Click();
        h.wait(99);
        QCOMPARE(h.fake.window.quits, 0);  // not inside the menu's own click
        h.wait(1);
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(!h.fake.tray.shown);
        QVERIFY(!h.settingsExist());  // never shown: the settings were only read

        FormHarness changed;
        changed.loadAndShow();
        changed.form->tvAutoHide_Click();
        changed.form->SessionEnding();
        changed.form->SessionEnding();  // a second signal during the unload changes nothing
        QCOMPARE(changed.fake.window.quits, 1);
        QVERIFY(changed.settingsLines().contains(u"Hide=False"_s));

        FormHarness blocked;  // a save cancelled: the unload goes on all the same
        blocked.loadAndShow();
        QVERIFY(QDir().mkpath(blocked.paths.settingsPath));  // cannot be replaced
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"cannot write"_s));
        blocked.form->tvUnload_Click();
        blocked.wait(100);
        QCOMPARE(blocked.fake.messages.shown.size(), size_t(1));
        QCOMPARE(blocked.fake.window.quits, 1);
    }

    void theCloseBoxHidesAndSavesButNeverEnds() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(!h.fake.window.visible);
        QVERIFY(h.settingsExist());  // the first save after showing creates the file
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
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.window.state, int(StateMinimized));
        h.form->tvAutoHide_Click();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"WinState=0"_s));
    }

    void centringOnAnOwnerUsesWholeNumbers() {
        const TwipsRect box = CenterOnOwner({0, 0, 1000, 2000}, {1000, 2000, 4001, 6001});
        QCOMPARE(box, (TwipsRect{1000 + 3001 / 2, 2000 + 4001 / 2, 1000, 2000}));
    }

    // On a stick formatted FAT any spelling of a name exists; the spelling
    // that comes back is the one stored.
    void longPathSpellsComponentsAsTheFileSystemDoes() {
        QTemporaryDir temp;
        const QString base = temp.path();
        QVERIFY(QDir(base).mkpath(u"Program Files/Accessories"_s));
        // Two names that differ only in case: no one spelling to choose.
        QVERIFY(QDir(base).mkpath(u"Twin"_s) && QDir(base).mkpath(u"TWIN"_s));
        const std::pair<const char*, const char*> cases[] = {
            {"/program files/ACCESSORIES", "/Program Files/Accessories"},
            {"//Program Files///", "/Program Files"},
            {"/program files/nowhere", "/program files/nowhere"},
            {"/twin", "/twin"},
            {"/TWIN", "/TWIN"},
        };
        for (const auto& [asked, spelled] : cases)
            QCOMPARE(LongPath(base + QLatin1String(asked)), base + QLatin1String(spelled));
        QCOMPARE(LongPath(u"/"_s), u"/"_s);

        const CaseBlindNames stick;
        const std::pair<const char*, const char*> onStick[] = {
            {"/stick/readme.TXT", "/STICK/ReadMe.txt"},
            {"/STICK/ReadMe.txt", "/STICK/ReadMe.txt"},
            {"/Stick//PHOTOS/", "/STICK/Photos"},
            {"/stick/2024/x", "/STICK/2024/x"},
            {"/stick/none/ReadMe.txt", "/stick/none/ReadMe.txt"},
        };
        for (const auto& [asked, stored] : onStick)
            QCOMPARE(LongPath(QLatin1String(asked), stick), QLatin1String(stored));
    }
};

QTEST_GUILESS_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
