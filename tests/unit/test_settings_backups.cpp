// Dated backups of the settings file, and going back to one of them from
// the tray menu.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "app/SettingsBackups.h"
#include "tray/TrayMenu.h"

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr qint64 Minute = 60000;
constexpr qint64 Day = 24 * 60 * Minute;

QString node(const QString& text, int parent = 0) {
    return u"Node=%1\t/tmp/%1\tleaf\t\tFalse\t%2\tFalse"_s.arg(text).arg(parent);
}

// A change the file must remember, saved when the save timer runs out.
void addAndSave(FormHarness& h, const QString& text) {
    h.form->tree().Add(nullptr, tvwLast, QString(), text, u"leaf"_s);
    h.form->settings().ScheduleSave();
    h.wait(Minute);
}

QString dayFile(const FormHarness& h, const QString& day) {
    return h.temp->filePath(u"backups/Varnel-"_s + day + u".INI"_s);
}

// The tray menu as a right click shows it, choosing its "Restore…".
void chooseRestore(FormHarness& h) {
    h.fake.menus.choose(TrayMenuId::tiRestore);
    h.click(TrayRightUp);
    h.wait(250);
}
}  // namespace

class TestSettingsBackups : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Nine days go by, on one of which a save changes nothing: each other
    // day the first save keeps the file as that day found it, and later
    // saves of the day keep nothing more. The seven newest are kept.
    void oneBackupADayThatChangedTheFileTheNewestSevenKept() {
        FormHarness h;
        h.writeSettings({node(u"Start"_s)});
        QFile::setPermissions(h.paths.settingsPath, QFile::ReadOwner | QFile::WriteOwner);
        h.loadAndShow();
        QMap<QString, QByteArray> expected;  // day -> the file as that day found it
        for (int day = 0; day < 9; ++day) {
            const QString date = h.fake.clock.currentDateTime().date().toString(Qt::ISODate);
            const QByteArray previous = h.settingsBytes();
            if (day == 3) {  // a save that changes nothing in the file
                h.form->settings().ScheduleSave();
                h.wait(Minute);
                QCOMPARE(h.settingsBytes(), previous);
                QVERIFY(!QFileInfo::exists(dayFile(h, date)));
            } else {
                addAndSave(h, u"Day %1"_s.arg(day));
                expected[date] = previous;
                addAndSave(h, u"Day %1 again"_s.arg(day));
                QCOMPARE(contentOf(dayFile(h, date)), previous);
            }
            h.wait(Day - h.fake.clock.now() % Day);
        }
        QStringList kept;
        for (const QString& date : expected.keys().mid(1)) {  // the first of eight went
            QCOMPARE(contentOf(dayFile(h, date)), expected.value(date));
            QCOMPARE(QFileInfo(dayFile(h, date)).permissions(),  // no easier to read
                     QFileInfo(h.paths.settingsPath).permissions());
            kept << QFileInfo(dayFile(h, date)).fileName();
        }
        QCOMPARE(QDir(h.temp->filePath(u"backups"_s)).entryList(QDir::Files, QDir::Name), kept);
    }

    // A file set aside as unread is no source of a backup: the first backup
    // is of the file written in its place.
    void aFileSetAsideIsNeverBackedUp() {
        FormHarness h;
        h.writeSettings({u"[Desktop Entry]"_s, u"Name=Firefox"_s});
        expectWarning("lines no settings file holds");
        h.loadAndShow();
        expectWarning("kept the settings file");
        addAndSave(h, u"A"_s);
        QVERIFY(QFileInfo::exists(h.paths.settingsPath + u".unread"_s));
        QVERIFY(!QFileInfo::exists(h.temp->filePath(u"backups"_s)));
        const QByteArray ours = h.settingsBytes();
        h.wait(Day);
        addAndSave(h, u"B"_s);
        QCOMPARE(contentOf(dayFile(h, u"2026-01-06"_s)), ours);
    }

    // A backup that cannot be written (something else in the folder's
    // place) is logged every time, told once when the save is done, and
    // the save itself goes on.
    void aBackupThatCannotBeWrittenIsToldOnceAndTheSaveGoesOn() {
        FormHarness h;
        h.writeSettings({node(u"A"_s)});
        writeFile(h.temp->filePath(u"backups"_s), "not a folder");
        h.loadAndShow();
        for (const int nodes : {2, 3}) {
            expectWarning("cannot back up");
            addAndSave(h, QString::number(nodes));
            QCOMPARE(h.settingsLines().filter(u"Node="_s).size(), nodes);
            QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        }
        QVERIFY(h.fake.messages.shown[0].text.contains(h.temp->filePath(u"backups"_s)));
        QCOMPARE(h.fake.messages.shown[0].icon, MsgIcon::Exclamation);
    }

    // The chooser lists both kinds newest first, with their node counts;
    // the one chosen gives back its tree and quick list, while the window,
    // the browser and the options stay. What was replaced is saved and
    // kept first, beside today's backup, and the restored tree is saved a
    // minute later.
    void aChosenBackupGivesBackItsTreeAndQuickListOnly() {
        FormHarness h;
        h.writeSettings({u"Hide=True"_s, node(u"A"_s), node(u"A1"_s, 1), u"[QuickList]"_s,
                         u"QLI=A1\t/tmp/A1"_s});
        const QStringList first = h.settingsLines();
        h.loadAndShow();
        addAndSave(h, u"B"_s);  // 2026-01-05 keeps the first file
        h.wait(Day);
        h.form->tvAutoHide_Click();
        h.fake.window.rect.width += 1500;
        addAndSave(h, u"C"_s);  // 2026-01-06 keeps A, A1, B
        const QByteArray today = contentOf(dayFile(h, u"2026-01-06"_s));
        h.form->tree().Remove(h.form->tree().First());
        h.form->settings().ScheduleSave();  // not saved yet when restored
        h.wait(Minute / 2);
        const QStringList keyLines = h.settingsLines().mid(0, 11);
        QVERIFY(keyLines.contains(u"Hide=False"_s));

        h.fake.chooser.answers = {1};
        chooseRestore(h);
        const QDateTime restoredAt = h.fake.clock.currentDateTime();
        QVERIFY(h.fake.menus.lastEntry(TrayMenuId::tiRestore)->enabled);
        QCOMPARE(h.fake.chooser.shown.size(), size_t(1));
        QCOMPARE(h.fake.chooser.shown[0].lines,
                 (QStringList{u"2026-01-06 \u2014 3 nodes"_s, u"2026-01-05 \u2014 2 nodes"_s}));
        QCOMPARE(h.fake.chooser.shown[0].accept, u"Restore"_s);
        QCOMPARE(labels(h.form->tree()), (QStringList{u"A"_s, u"A1"_s}));
        QCOMPARE(quickCaptions(h), QStringList{u"A1"_s});
        QVERIFY(!h.form->options().AutoHide());

        const QString kept = h.temp->filePath(u"backups/Varnel-%1-before-restore.INI"_s.arg(
            restoredAt.toString(u"yyyy-MM-dd-HHmmss"_s)));
        QCOMPARE(contentOf(dayFile(h, u"2026-01-06"_s)), today);
        QVERIFY(contentOf(kept).contains("Node=C\t"));  // the change not yet saved is in it
        QVERIFY(!contentOf(kept).contains("Node=A\t"));
        QVERIFY(h.form->settings().SettingsDirty());
        h.wait(Minute);
        QCOMPARE(h.settingsLines().mid(0, 11), keyLines);
        QCOMPARE(h.settingsLines().mid(11), first.mid(1));

        // The copy kept before the restore is listed too, newest first.
        chooseRestore(h);
        QCOMPARE(h.fake.chooser.shown.size(), size_t(2));
        QCOMPARE(h.fake.chooser.shown[1].lines.size(), 3);
        QCOMPARE(
            h.fake.chooser.shown[1].lines.first(),
            restoredAt.toString(u"yyyy-MM-dd HH:mm:ss"_s) + u", before a restore \u2014 2 nodes"_s);

        // The restore is one step, which the user can take back.
        QCOMPARE(h.form->history().UndoCaption(), u"Restore"_s);
        h.form->undo().tvUndo_Click();
        QCOMPARE(labels(h.form->tree()), (QStringList{u"B"_s, u"C"_s}));
        QVERIFY(!h.form->history().CanUndo());
    }

    // A backup that cannot be used changes nothing, keeps no copy and says
    // why; one of a name of its own is no backup.
    void aDamagedBackupIsRefusedWithoutChangingTheTree() {
        FormHarness h;
        h.writeSettings({node(u"A"_s)});
        h.loadAndShow();
        const QByteArray before = h.settingsBytes();
        writeFile(dayFile(h, u"2026-01-03"_s), "[Desktop Entry]\r\nName=Firefox\r\n");
        writeFile(dayFile(h, u"2026-01-02"_s), "");
        writeFile(h.temp->filePath(u"backups/Varnel-2026-01-04.INI.old"_s), node(u"X"_s).toUtf8());
        QDir().mkpath(dayFile(h, u"2026-01-01"_s));
        for (int row = 0; row < 2; ++row) {
            h.fake.chooser.answers = {row};
            expectWarning("cannot restore");
            chooseRestore(h);
            QCOMPARE(h.fake.chooser.shown.back().lines,
                     (QStringList{u"2026-01-03 \u2014 0 nodes"_s, u"2026-01-02 \u2014 0 nodes"_s}));
            QCOMPARE(h.fake.messages.shown.size(), size_t(row + 1));
            QVERIFY(h.fake.messages.shown.back().text.contains(u"Nothing was changed"_s));
        }
        QVERIFY(h.fake.messages.shown[0].text.contains(u"lines no settings file holds"_s));
        QVERIFY(h.fake.messages.shown[1].text.contains(u"holds no settings"_s));
        QCOMPARE(labels(h.form->tree()), QStringList{u"A"_s});
        QCOMPARE(h.settingsBytes(), before);  // nothing saved first either
        QCOMPARE(QDir(h.temp->filePath(u"backups"_s)).entryList(QDir::Files).size(), 3);

        // A good one is refused too while the tree it would replace cannot
        // be saved first.
        writeFile(dayFile(h, u"2026-01-04"_s), node(u"X"_s).toUtf8());
        QVERIFY(QFile::remove(h.paths.settingsPath) && QDir().mkpath(h.paths.settingsPath));
        h.fake.chooser.answers = {0};
        expectWarning("cannot write");
        chooseRestore(h);
        QCOMPARE(labels(h.form->tree()), QStringList{u"A"_s});
        QCOMPARE(h.fake.messages.shown.size(), size_t(4));  // the save's box, then why
    }

    // Without backups the entry is greyed; a host that opened the menu
    // unprepared gets a box that says there are none. Its place: after
    // "Quick List", the other entries as they were.
    void withoutBackupsTheEntryIsGreyed() {
        FormHarness h;
        h.loadAndShow();
        h.form->tray().trayMenuChosen({int(TrayMenuId::tiRestore), -1, true});
        QCOMPARE(h.fake.messages.shown.back().text, u"There are no backups of the settings yet."_s);
        QVERIFY(h.fake.chooser.shown.empty());
        h.form->tray().trayMenuAboutToShow();
        const MenuEntry menu = h.form->tray().trayMenuForHost();
        QStringList captions;
        for (const MenuEntry& entry : menu.children)
            captions << entry.caption;
        QCOMPARE(captions, (QStringList{u"Open"_s, u"Hide"_s, u"Quick List"_s, u"Restore\u2026"_s,
                                        QString(), u"About"_s, u"Unload"_s, u"Cancel"_s}));
        QVERIFY(!menu.children.at(3).enabled);
        writeFile(dayFile(h, u"2026-01-01"_s), node(u"A"_s).toUtf8());
        h.form->tray().trayMenuAboutToShow();
        QVERIFY(h.form->tray().trayMenuForHost().children.at(3).enabled);
    }

    // Node lines are counted as the reader takes them, also where a line is
    // cut between two pieces of the file.
    void nodeLinesAreCountedAcrossPieces() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Varnel.INI"_s);
        QByteArray bytes = "\xEF\xBB\xBFNode=a\r\n  node =b\r\nNodes=c\r\nQLI=Node=d\r\n";
        bytes += QByteArray(65536 - bytes.size() - 3, 'x') + "\nNo";  // cut inside the key
        bytes += "de=e\r\n" + QByteArray(70000, 'y') + "\nNode=f";    // cut inside a long line
        writeFile(path, bytes);
        QCOMPARE(CountNodeLines(path), 4);
        QCOMPARE(CountNodeLines(dir.filePath(u"none"_s)), -1);
        QCOMPARE(CountNodeLines(dir.path()), -1);
    }
};

QTEST_GUILESS_MAIN(TestSettingsBackups)
#include "test_settings_backups.moc"
