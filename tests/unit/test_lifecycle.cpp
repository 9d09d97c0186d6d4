// Start-up, the single instance, close requests, unloading, no tray, and the
// window helpers.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "app/CenterForm.h"
#include "browser/LongPath.h"

#include <QDir>
#include <QFile>
#include <QTest>

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
        for (const QString& entry : stored_) {
            const qsizetype slash = entry.lastIndexOf(u'/');
            if (slash >= 0 && entry.left(slash + 1).compare(directory, Qt::CaseInsensitive) == 0)
                names << entry.mid(slash + 1);
        }
        return names;
    }

private:
    QString stored(const QString& path) const {
        for (const QString& entry : stored_) {
            if (entry.compare(path, Qt::CaseInsensitive) == 0)
                return entry;
        }
        return {};
    }
    const QStringList stored_{QStringLiteral("/STICK"), QStringLiteral("/STICK/ReadMe.txt"),
                              QStringLiteral("/STICK/Photos"), QStringLiteral("/STICK/2024"),
                              QStringLiteral("/STICK/2024/x")};
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
        QCOMPARE(h.fake.tray.tip + u' ' + h.fake.tray.icon, QStringLiteral("Varnel varnel"));
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
        QCOMPARE(second.fake.messages.shown[0].text,
                 QStringLiteral("Varnel is already installed in the Tray"));
        QCOMPARE(second.fake.tray.adds, 0);
        first.form.reset();
        FormHarness third(first.paths.programDir);
        QVERIFY(third.form->Form_Load());

        // A lock that cannot be made, in a folder that cannot exist or one
        // that takes no files: no second copy is claimed to run.
        QFile(first.temp->filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
        for (const QString& lock : {first.temp->filePath(QStringLiteral("file/Varnel.lock")),
                                    QStringLiteral("/proc/Varnel.lock")}) {
            FormHarness blocked;
            blocked.paths.lockPath = lock;
            blocked.form = std::make_unique<FrmVarnel>(blocked.fake.platform(), blocked.paths);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("lock file")));
            QVERIFY(!blocked.form->Form_Load());
            const QString text = blocked.fake.messages.shown.at(0).text;
            QVERIFY2(text.contains(lock) && !text.contains(QStringLiteral("Tray")),
                     qPrintable(text));
        }

        // Beside a program whose directory takes no files, the settings live
        // in the configuration directory, and the lock with them.
        const AppPaths paths =
            ChooseAppPaths(first.temp->filePath(QStringLiteral("file")), QStringLiteral("/cfg"));
        QCOMPARE(paths.settingsPath + u' ' + paths.lockPath + u' ' + paths.programCopyPath,
                 QStringLiteral("/cfg/Varnel.INI /cfg/Varnel.lock ") +
                     first.temp->filePath(QStringLiteral("file/Varnel.INI")));
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
        QVERIFY(changed.settingsLines().contains(QStringLiteral("Hide=False")));

        FormHarness blocked;  // a save cancelled: the unload goes on all the same
        blocked.loadAndShow();
        QVERIFY(QDir().mkpath(blocked.paths.settingsPath));  // cannot be replaced
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write")));
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
        h.writeSettings({QStringLiteral("WinState=1")});
        h.load();
        h.form->tray().trayHostChanged(TrayHost::Absent);
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.window.state, int(StateNormal));
        QVERIFY(h.form->Form_QueryUnload(vbFormControlMenu));
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.window.state, int(StateMinimized));
        h.form->tvAutoHide_Click();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(QStringLiteral("WinState=0")));
    }

    void centringOnAnOwnerUsesWholeNumbers() {
        const TwipsRect box = CenterOnOwner({0, 0, 1000, 2000}, {1000, 2000, 4001, 6001});
        QCOMPARE(box, (TwipsRect{1000 + 3001 / 2, 2000 + 4001 / 2, 1000, 2000}));
    }

    void longPathSpellsComponentsAsTheFileSystemDoes() {
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkpath(QStringLiteral("Program Files/Accessories")));
        const QString base = temp.path();
        // Two names that differ only in case: no one spelling to choose.
        QVERIFY(QDir(base).mkpath(QStringLiteral("Twin")));
        QVERIFY(QDir(base).mkpath(QStringLiteral("TWIN")));
        const std::pair<const char*, const char*> cases[] = {
            {"/program files/ACCESSORIES", "/Program Files/Accessories"},
            {"//Program Files///", "/Program Files"},
            {"/program files/nowhere", "/program files/nowhere"},
            {"/twin", "/twin"},
            {"/TWIN", "/TWIN"},
        };
        for (const auto& [asked, spelled] : cases)
            QCOMPARE(LongPath(base + QLatin1String(asked)), base + QLatin1String(spelled));
        QCOMPARE(LongPath(QStringLiteral("/")), QStringLiteral("/"));
    }

    // On a stick formatted FAT any spelling of a name exists; the spelling
    // that comes back is the one stored.
    void longPathOnACaseInsensitiveMountTakesTheStoredName() {
        const CaseBlindNames stick;
        const std::pair<const char*, const char*> cases[] = {
            {"/stick/readme.TXT", "/STICK/ReadMe.txt"},
            {"/STICK/ReadMe.txt", "/STICK/ReadMe.txt"},
            {"/Stick//PHOTOS/", "/STICK/Photos"},
            {"/stick/2024/x", "/STICK/2024/x"},
            {"/stick/none/ReadMe.txt", "/stick/none/ReadMe.txt"},
        };
        for (const auto& [asked, stored] : cases)
            QCOMPARE(LongPath(QLatin1String(asked), stick), QLatin1String(stored));
    }
};

QTEST_GUILESS_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
