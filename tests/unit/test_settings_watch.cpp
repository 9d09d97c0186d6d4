// Another program changes the settings file while we run; a removable disk
// is pulled out from under it.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "app/SettingsWatch.h"
#include "tree/TreeMenu.h"

#include <filesystem>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int Settled = 1000;  // two quiet looks after the last change

// A whole file as a settings file is written: key lines, nodes, quick list.
QByteArray settingsFile(const QStringList& nodes, const QStringList& quick = {},
                        const QString& hide = u"True"_s) {
    QStringList lines{u"WinTop=1000"_s, u"WinLeft=2000"_s, u"WinHeight=4200"_s, u"Winwidth=7200"_s,
                      u"WinState=0"_s,  u"Hide="_s + hide, u"Path=True"_s,      u"DirVis=True"_s};
    lines += nodes;
    if (!quick.isEmpty())
        lines << u"[QuickList]"_s << quick;
    return lines.join(u"\r\n"_s).toUtf8() + "\r\n";
}

// Work (Notes inside, selected), Games; Notes on the quick list.
QByteArray mine() {
    return settingsFile({u"Node=Work\t\tclosed\topen\tTrue\t0\tFalse"_s,
                         u"Node=Notes\t/tmp/notes.txt\tleaf\t\tFalse\t1\tTrue"_s,
                         u"Node=Games\t/tmp/games\tleaf\t\tFalse\t0\tFalse"_s},
                        {u"QLI=Notes\t/tmp/notes.txt"_s});
}

// Another machine's: Notes kept, Games gone, Tools added and selected.
QByteArray theirs() {
    return settingsFile({u"Node=Work\t\tclosed\topen\tFalse\t0\tFalse"_s,
                         u"Node=Notes\t/tmp/notes.txt\tleaf\t\tFalse\t1\tFalse"_s,
                         u"Node=Tools\t/tmp/tools\tleaf\t\tFalse\t0\tTrue"_s},
                        {u"QLI=Tools\t/tmp/tools"_s}, u"False"_s);
}

// As a synchronising program does it: a new file renamed over the old one.
void replaceFile(const QString& path, const QByteArray& bytes) {
    const QString fresh = path + u".sync-tmp"_s;
    writeFile(fresh, bytes);
    std::filesystem::rename(fresh.toStdString(), path.toStdString());
}

QStringList asideFiles(const FormHarness& h, const QString& pattern) {
    return QDir(h.temp->path()).entryList({pattern}, QDir::Files);
}

// Started on mine, the window shown.
struct Started : FormHarness {
    Started() {
        writeFile(paths.settingsPath, mine());
        loadAndShow();
    }
};

void theyChangeIt(FormHarness& h, const QByteArray& bytes) {
    replaceFile(h.paths.settingsPath, bytes);
    h.fake.fileWatches.tell();
}
}  // namespace

class TestSettingsWatch : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The file is hashed as it is read, in pieces, and what we write as a
    // whole: the same bytes must hash alike however they are cut, or our
    // own writes would look like another program's.
    void contentHashesAlikeInAnyPieces() {
        QByteArray bytes(3 * 4096 + 123, Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 % 251);
        const QByteArray whole = FileContent::of(bytes);
        for (const qsizetype cut :
             {qsizetype(1), qsizetype(100), qsizetype(4095), qsizetype(5000)}) {
            FileContent pieces;
            for (qsizetype at = 0; at < bytes.size(); at += cut)
                pieces.add(QByteArrayView(bytes).sliced(at, std::min(cut, bytes.size() - at)));
            QCOMPARE(pieces.result(), whole);
        }
        QByteArray changed = bytes;
        changed[5000] = 'x';
        QVERIFY(FileContent::of(changed) != whole);
        changed = bytes;
        changed[bytes.size() - 1] = 'x';  // in the block never made whole
        QVERIFY(FileContent::of(changed) != whole);
    }

    // With nothing of ours waiting but the window's size, their tree and
    // quick list come in; the window, the options and the selection stay
    // ours, the selection as long as its node is still there.
    void theirChangeIsReadInWhenNothingOfOursWaits() {
        Started h;
        h.form->tray().tvRmvQuickList_Click();  // a step of ours, saved
        h.form->settings().SaveSettings();
        h.fake.window.rect = {3000, 3000, 5000, 8000};  // moved: no change to save by itself
        theyChangeIt(h, theirs());
        h.wait(Settled - 1);
        QCOMPARE(labels(h.form->tree()), (QStringList{u"Work"_s, u"Notes"_s, u"Games"_s}));
        h.wait(1);
        QCOMPARE(labels(h.form->tree()), (QStringList{u"Work"_s, u"Notes"_s, u"Tools"_s}));
        QCOMPARE(quickCaptions(h), QStringList{u"Tools"_s});
        QCOMPARE(h.form->tree().SelectedItem()->Text(), u"Notes"_s);
        QVERIFY(h.form->tree().SelectedItem()->Parent()->Expanded());  // shown
        QVERIFY(h.form->options().AutoHide());
        QCOMPARE(h.fake.window.rect, (TwipsRect{3000, 3000, 5000, 8000}));
        QVERIFY(h.fake.messages.shown.empty());
        QVERIFY(!h.form->history().CanUndo());  // its steps were made in another tree
        h.wait(60000);                          // what was read in is no change of ours to save
        QCOMPARE(contentOf(h.paths.settingsPath), theirs());

        // Notes gone: their selection it is. A later save writes their tree
        // with our window.
        theyChangeIt(h, settingsFile({u"Node=Tools\t/tmp/tools\tleaf\t\tFalse\t0\tTrue"_s,
                                      u"Node=Games\t/tmp/games\tleaf\t\tFalse\t0\tFalse"_s}));
        h.wait(Settled);
        QCOMPARE(h.form->tree().SelectedItem()->Text(), u"Tools"_s);
        QVERIFY(quickCaptions(h).isEmpty());
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"WinTop=3000"_s));
        QVERIFY(h.settingsLines().contains(u"Node=Tools\t/tmp/tools\tleaf\t\tFalse\t0\tTrue"_s));
    }

    // With a change of ours waiting, both are kept: ours in the file, theirs
    // beside it under the date it was set aside, the user told once.
    void aChangeOfOursWaitingKeepsBoth() {
        Started h;
        h.form->tree().Add(nullptr, tvwLast, QString(), u"Mail"_s, u"leaf"_s);
        h.form->tvAutoHide_Click();  // Hide=False, saved with Mail within a minute
        theyChangeIt(h, theirs());
        h.wait(Settled);
        expectWarning("kept as");
        bool oursWrittenWhenTold = false;  // the box says it is
        h.fake.messages.whileShown = [&] {
            oursWrittenWhenTold =
                h.settingsLines().contains(u"Node=Mail\t\tleaf\t\tFalse\t0\tFalse"_s);
        };
        h.wait(60000);
        QVERIFY(oursWrittenWhenTold);
        const QStringList kept = asideFiles(h, u"Varnel.INI.conflict-*"_s);
        QCOMPARE(kept, QStringList{u"Varnel.INI.conflict-20260105-120100"_s});
        QVERIFY(h.settingsLines().contains(u"Hide=False"_s));
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.messages.shown[0].text.contains(h.temp->filePath(kept[0])));

        // Ours is what was written: later saves go on without a word.
        for (int save = 0; save < 2; ++save) {
            h.form->tvAutoHide_Click();
            h.form->settings().SaveSettings();
            h.fake.fileWatches.tell();
            h.wait(Settled);
        }
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QCOMPARE(asideFiles(h, u"Varnel.INI.conflict-*"_s).size(), 1);
    }

    // Nor is a change no watch told of written over; and a settings file
    // that is a link to one kept elsewhere stays a link, written through.
    void aChangeNoWatchToldOfIsKeptAndALinkStaysALink() {
        FormHarness h;
        const QString kept = h.temp->filePath(u"dotfiles/Varnel.INI"_s);
        writeFile(kept, mine());
        QVERIFY(QFile::link(kept, h.paths.settingsPath));
        h.loadAndShow();
        h.form->tree().Add(nullptr, tvwLast, QString(), u"Mail"_s, u"leaf"_s);
        h.form->settings().ScheduleSave();
        writeFile(kept, theirs());
        expectWarning("kept as");
        h.form->settings().SaveSettings();
        QCOMPARE(contentOf(h.temp->filePath(asideFiles(h, u"*.conflict-*"_s).value(0))), theirs());
        QVERIFY(QFileInfo(h.paths.settingsPath).isSymLink());
        QVERIFY(contentOf(kept).contains("Node=Mail\t"));
        // Another one kept within the same second has a name of its own.
        h.form->tvAutoHide_Click();
        writeFile(kept, mine());
        expectWarning("kept as");
        h.form->settings().SaveSettings();
        QCOMPARE(asideFiles(h, u"*.conflict-*"_s).size(), 2);
    }

    // Our own saves, and a file touched without a change, are not read.
    void ourOwnWritesAreNotReadBack() {
        Started h;
        h.form->tree().Add(nullptr, tvwLast, QString(), u"Mail"_s, u"leaf"_s);
        h.form->settings().ScheduleSave();
        h.form->settings().SaveSettings();
        const std::size_t pointers = h.fake.window.pointers.size();
        h.fake.fileWatches.tell();
        h.wait(Settled);
        replaceFile(h.paths.settingsPath, h.settingsBytes());
        QFile touched(h.paths.settingsPath);  // dated apart: only the content tells
        QVERIFY(touched.open(QIODevice::ReadWrite) &&
                touched.setFileTime(QDateTime(QDate(2030, 1, 1), QTime(0, 0)),
                                    QFileDevice::FileModificationTime));
        h.fake.fileWatches.tell();
        h.wait(Settled);
        QCOMPARE(h.fake.window.pointers.size(), pointers);  // no reading, busy or not
        QCOMPARE(labels(h.form->tree()).last(), u"Mail"_s);
    }

    // Empty, cut off in a line, cut off after the key lines' start, ending
    // in a section's name, or another document: not read. The tree stays,
    // and the next save keeps the file aside as unread and writes ours.
    void aFileThatIsNoWholeSettingsFileIsNotRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = theirs();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut in a node line") << whole.left(whole.indexOf("Node=Notes") + 12);
        QTest::newRow("cut after the first key lines") << whole.left(whole.indexOf("Hide="));
        QTest::newRow("cut after a section") << whole.left(whole.indexOf("QLI="));
        QTest::newRow("another document") << QByteArray("[Desktop Entry]\nName=Firefox\n");
        QTest::newRow("lines of no settings file") << "<<<<<<< ours\n" + whole;
    }
    void aFileThatIsNoWholeSettingsFileIsNotRead() {
        QFETCH(QByteArray, bytes);
        Started h;
        theyChangeIt(h, bytes);
        expectWarning("no whole settings file");
        h.wait(Settled);
        QCOMPARE(labels(h.form->tree()), (QStringList{u"Work"_s, u"Notes"_s, u"Games"_s}));
        QCOMPARE(quickCaptions(h), QStringList{u"Notes"_s});
        expectWarning("kept the settings file");
        h.wait(60000);
        QCOMPARE(contentOf(h.paths.settingsPath + u".unread"_s), bytes);
        QVERIFY(h.settingsLines().contains(u"Node=Games\t/tmp/games\tleaf\t\tFalse\t0\tFalse"_s));
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.messages.shown[0].text.contains(h.paths.settingsPath + u".unread"_s));
    }

    // While a label is edited, a box or a menu is open, the tree is left
    // alone; the change comes in once they have closed.
    void aChangeWaitsForALabelEditABoxAndAMenu() {
        Started h;
        h.form->editing().tvRename_Click();
        theyChangeIt(h, theirs());
        h.wait(10 * Settled);
        QCOMPARE(labels(h.form->tree()).last(), u"Games"_s);
        h.form->treeMouse().TreeView_AfterLabelEdit(std::nullopt);  // Escape
        h.wait(Settled / 2);
        QCOMPARE(labels(h.form->tree()).last(), u"Tools"_s);

        h.fake.messages.whileShown = [&h] {
            theyChangeIt(h, mine());
            h.wait(10 * Settled);
            QCOMPARE(labels(h.form->tree()).last(), u"Tools"_s);
        };
        h.fake.shell.accept = false;
        h.form->opener().OpenPath(h.temp->path(), u"cannot open"_s);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        h.fake.messages.whileShown = nullptr;
        h.wait(Settled / 2);
        QCOMPARE(labels(h.form->tree()).last(), u"Games"_s);

        h.fake.menus.whileShown = [&h] {
            theyChangeIt(h, theirs());
            h.wait(10 * Settled);
            QCOMPARE(labels(h.form->tree()).last(), u"Games"_s);
        };
        h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 500, 500);
        h.fake.menus.whileShown = nullptr;
        h.wait(Settled / 2);
        QCOMPARE(labels(h.form->tree()).last(), u"Tools"_s);
    }

    // A writer still at work: read once, when it has stopped, what it left.
    void aFileStillChangingIsReadOnceItSettles() {
        Started h;
        const std::size_t pointers = h.fake.window.pointers.size();
        theyChangeIt(h, settingsFile({u"Node=First\t\tleaf\t\tFalse\t0\tFalse"_s}));
        for (int step = 0; step < 6; ++step) {
            h.wait(Settled / 2 - 100);  // never quiet for long enough
            // Written again without a word from the watch: seen by its size.
            replaceFile(h.paths.settingsPath,
                        settingsFile({u"Node=Step\t\tleaf\t\tFalse\t0\tFalse"_s,
                                      u"Node="_s + QString(step + 1, u'x') +
                                          u"\t\tleaf\t\tFalse\t0\tFalse"_s}));
        }
        h.wait(Settled);
        QCOMPARE(labels(h.form->tree()), (QStringList{u"Step"_s, u"xxxxxx"_s}));
        QCOMPARE(h.fake.window.pointers.size(), pointers + 2);  // one reading
    }

    // A stick pulled out leaves its mount point a plain folder on another
    // device: nothing is written there, the change waits, the user is told
    // once; once the stick is back, the change is saved on it.
    void aPulledDiskIsNotWrittenToAndTheChangeWaits() {
        Started h;
        const QString folder = QFileInfo(h.paths.settingsPath).absolutePath();
        h.fake.fileWatches.devices[folder] = 2;
        for (int save = 0; save < 2; ++save) {
            expectWarning("no longer on the device");
            h.form->tvAutoHide_Click();
            h.form->settings().SaveSettings();
        }
        QCOMPARE(contentOf(h.paths.settingsPath), mine());
        QVERIFY(h.form->settings().SettingsDirty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.messages.shown[0].text.contains(folder));
        h.fake.fileWatches.devices.clear();
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"Hide=True"_s));  // clicked twice
        QVERIFY(!h.form->settings().SettingsDirty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
    }

    // The session ends while the stick is out: no box, and the tree is
    // kept in a recovery file rather than lost with the program.
    void aSessionEndWhileTheDiskIsOutKeepsTheTreeAside() {
        Started h;
        h.fake.fileWatches.devices[QFileInfo(h.paths.settingsPath).absolutePath()] = 2;
        h.form->tvAutoHide_Click();
        expectWarning("no longer on the device");
        expectWarning("kept the settings that could not");
        h.form->SessionEnding();
        QVERIFY(h.fake.messages.shown.empty());
        QCOMPARE(contentOf(h.paths.settingsPath), mine());
        const QStringList kept =
            QDir(h.paths.stateDir).entryList({u"Varnel-recovery-*.INI"_s}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY(contentOf(h.paths.stateDir + u'/' + kept[0]).contains("Hide=False"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsWatch)
#include "test_settings_watch.moc"
