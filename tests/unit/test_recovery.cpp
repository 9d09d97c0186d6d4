// The end of a session with settings that cannot be written: no box holds
// it up, the tree is kept in a recovery file, and the next start tells of
// that file once.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "app/RecoveryFile.h"

using namespace Qt::Literals::StringLiterals;

namespace {
const QString FirstName = u"Varnel-recovery-20260105-120000.INI"_s;

// A settings file read, with a node and an option changed since: a save is due.
void startWithChanges(FormHarness& h) {
    h.writeSettings({u"Node=Work\t/home/ann/work\tclosed\topen\tFalse\t0\tFalse"_s});
    h.loadAndShow();
    h.form->tvAutoHide_Click();
}

// The settings file becomes a folder: nobody, root neither, can replace it.
void blockSettings(const FormHarness& h) {
    QVERIFY(QFile::remove(h.paths.settingsPath) && QDir().mkpath(h.paths.settingsPath));
}

QStringList recoveryFiles(const QString& folder) {
    return QDir(folder).entryList({u"Varnel-recovery-*.INI"_s}, QDir::Files);
}

void expectWarnings() {
    expectWarning("cannot write");
    expectWarning("kept the settings that could not");
}

// Changes waiting, a file that cannot take them, and a session about to end.
void startBlockedAtTheEnd(FormHarness& h) {
    startWithChanges(h);
    blockSettings(h);
    expectWarnings();
}
}  // namespace

class TestRecovery : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // No box, the lock gone, the program ended, and the recovery file holds
    // exactly what the save writes once the file can be written again.
    void aSessionEndThatCannotSaveKeepsTheTreeAside() {
        FormHarness h;
        startBlockedAtTheEnd(h);
        h.form->SessionEnding();
        QVERIFY(h.fake.messages.shown.empty());
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(!QFile::exists(h.paths.lockPath));
        QCOMPARE(recoveryFiles(h.paths.stateDir), QStringList{FirstName});
        QVERIFY(QDir().rmdir(h.paths.settingsPath));
        h.form->settings().SaveSettings();
        QVERIFY(h.settingsLines().contains(u"Hide=False"_s));
        QCOMPARE(contentOf(h.paths.stateDir + u'/' + FirstName), h.settingsBytes());

        FormHarness good;  // a file that can be written: nothing aside
        startWithChanges(good);
        good.form->SessionEnding();
        QVERIFY(good.settingsLines().contains(u"Hide=False"_s));
        QVERIFY(!QDir(good.paths.stateDir).exists());
    }

    // An unload the user asked for keeps its box; a session that ends while
    // the box asks closes it (the real loops end) and the unload ends, the
    // tree kept aside once.
    void anUnloadAsksAndASessionEndDuringTheBoxEndsIt() {
        FormHarness h;
        startWithChanges(h);
        blockSettings(h);
        expectWarning("cannot write", 2);
        h.fake.messages.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
        h.form->tvUnload_Click();
        h.wait(100);
        QCOMPARE(h.fake.messages.shown.size(), 2u);
        const ShownMessage& box = h.fake.messages.shown.at(0);
        QCOMPARE(box.text, u"Unable to save settings.  The INI file may already be opened."_s);
        QVERIFY(box.title == u"Varnel"_s && box.buttons == MsgButtons::RetryCancel &&
                box.icon == MsgIcon::Stop);
        QCOMPARE(h.fake.window.quits, 1);
        QVERIFY(recoveryFiles(h.paths.stateDir).isEmpty());

        for (bool byUnload : {true, false}) {  // the unload's box, then a timed save's
            FormHarness ending;
            startBlockedAtTheEnd(ending);
            ending.fake.messages.whileShown = [&] { ending.form->SessionEnding(); };
            if (byUnload) {
                ending.form->tvUnload_Click();
                ending.wait(100);
            } else {
                ending.wait(60000);
            }
            QCOMPARE(ending.fake.messages.shown.size(), 1u);
            QVERIFY(ending.fake.window.quits >= 1);
            QVERIFY(!QFile::exists(ending.paths.lockPath));
            QCOMPARE(recoveryFiles(ending.paths.stateDir).size(), 1);
        }
    }

    // Settings never read are not read at the end: a file that cannot be
    // read would otherwise hold the end up with its box.
    void aSessionEndReadsNothing() {
        FormHarness h;
        QVERIFY(QDir().mkpath(h.paths.settingsPath));
        h.load();
        h.form->SessionEnding();
        QVERIFY(h.fake.messages.shown.empty());
        QCOMPARE(h.fake.window.quits, 1);
    }

    // Told once: in a message at the first showing where the desktop takes
    // no notice, by the desktop's notice where it does; never again after.
    void theNextStartTellsOnce() {
        FormHarness first;
        startBlockedAtTheEnd(first);
        first.form->SessionEnding();
        const QString kept = first.paths.stateDir + u'/' + FirstName;
        first.form.reset();
        QVERIFY(QDir().rmdir(first.paths.settingsPath));

        FormHarness next(first.paths.programDir);
        next.load();
        QVERIFY(next.fake.messages.shown.empty());  // hidden: nothing yet
        next.click(TrayLeftUp);
        QCOMPARE(next.fake.messages.shown.size(), 1u);
        QVERIFY2(next.fake.messages.shown.at(0).text.contains(kept + u'\n'),
                 qPrintable(next.fake.messages.shown.at(0).text));
        next.form->tvHide_Click();
        next.click(TrayLeftUp);
        QCOMPARE(next.fake.messages.shown.size(), 1u);
        next.form.reset();

        FormHarness after(first.paths.programDir);
        after.loadAndShow();
        QVERIFY(after.fake.messages.shown.empty());
        after.form.reset();

        // A second file, and a desktop that takes notices: told there, and
        // only of the new one.
        RecoveryFile files(after.fake.clock, after.paths);
        after.fake.clock.advance(1000);
        const QString newer = files.Write("Hide=True\r\n");
        QCOMPARE(files.Untold(), QStringList{newer});
        FormHarness desktop(first.paths.programDir);
        desktop.fake.notices.hasService = true;
        desktop.loadAndShow();
        QVERIFY(desktop.fake.messages.shown.empty());
        QCOMPARE(desktop.fake.notices.taken.size(), 1);
        QVERIFY(desktop.fake.notices.taken.at(0).contains(newer) &&
                !desktop.fake.notices.taken.at(0).contains(kept));
        QVERIFY(files.Untold().isEmpty());
    }

    // Files of one second are told apart and in order; where the state
    // folder cannot be made they go beside the settings file.
    void recoveryFilesAreNamedByTimeAndFindAPlace() {
        FormHarness h;
        RecoveryFile files(h.fake.clock, h.paths);
        QStringList written;
        for (int n = 0; n < 11; ++n)
            written << files.Write(QByteArray::number(n));
        QCOMPARE(written.at(1), h.paths.stateDir + u"/Varnel-recovery-20260105-120000-2.INI"_s);
        QCOMPARE(files.Untold(), written);
        files.MarkTold(written.mid(0, 10));
        QCOMPARE(files.Untold(), written.mid(10));
        // The list of files told forgets those the user has removed.
        QVERIFY(QFile::remove(written.at(0)));
        files.MarkTold(written.mid(10));
        QVERIFY(files.Untold().isEmpty());
        const QByteArray told = contentOf(h.paths.stateDir + u"/Varnel-recovery.told"_s);
        QVERIFY2(told.count('\n') == 10 &&
                     !told.contains(QFileInfo(written.at(0)).fileName().toUtf8() + '\n'),
                 told.constData());

        FormHarness blocked;
        QFile(QFileInfo(blocked.paths.stateDir).absolutePath()).open(QIODevice::WriteOnly);
        RecoveryFile beside(blocked.fake.clock, blocked.paths);
        expectWarning("cannot keep the settings in");
        QCOMPARE(beside.Write("x"), blocked.paths.programDir + u'/' + FirstName);
        QCOMPARE(beside.Untold().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "test_recovery.moc"
