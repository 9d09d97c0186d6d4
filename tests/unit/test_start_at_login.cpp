// Starting at login: the desktop's autostart entry written, read back as a
// desktop reads it, switched off by a desktop, removed, and refused; the
// tree menu's check mark following the entry.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "app/StartAtLogin.h"
#include "tree/TreeMenu.h"

#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {
// The [Desktop Entry] group's keys as a desktop reads them.
std::map<QString, QString> keysOf(const QByteArray& entry) {
    std::map<QString, QString> keys;
    const QStringList lines = QString::fromUtf8(entry).split(u'\n', Qt::SkipEmptyParts);
    if (lines.value(0) != u"[Desktop Entry]"_s)
        return {};
    for (const QString& line : lines.mid(1)) {
        const qsizetype equals = line.indexOf(u'=');
        keys[line.first(equals)] = line.sliced(equals + 1);
    }
    return keys;
}

// An Exec= value split into the arguments a desktop starts: string escapes
// first, then quoting, then the %% that stands for a percent sign. What the
// format forbids (a reserved character outside quotes, a $ or ` inside them
// without a backslash) comes back as one argument saying so.
QStringList argumentsOf(const QString& exec) {
    QString text;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const bool escaped = exec[i] == u'\\' && i + 1 < exec.size();
        const QChar c = escaped ? exec[++i] : exec[i];
        text += !escaped ? c : c == u'n' ? u'\n' : c == u't' ? u'\t' : c == u's' ? u' ' : c;
    }
    QStringList arguments;
    QString argument;
    bool inQuotes = false, started = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes && c == u'\\' && i + 1 < text.size()) {
            argument += text[++i];
        } else if (c == u'"') {
            inQuotes = !inQuotes;
            started = true;
        } else if (inQuotes ? c == u'`' || c == u'$' : u"\t\n'\\><~|&;$*?#()`"_s.contains(c)) {
            return {u"unquoted or unescaped: "_s + c};  // what the format forbids
        } else if (c == u' ' && !inQuotes) {
            if (started)
                arguments << argument;
            argument.clear();
            started = false;
        } else {
            argument += c;
            started = true;
        }
    }
    if (started)
        arguments << argument;
    for (QString& each : arguments) {
        // A percent sign stands alone only in a field code.
        if (each.count(u'%') != 2 * each.count(u"%%"_s))
            return {u"a field code in "_s + each};
        each.replace(u"%%"_s, u"%"_s);
    }
    return arguments;
}

// Opens the tree's menu, choosing "Start at Login" from it when click says
// so; whether the entry was shown checked.
bool openMenu(FormHarness& h, bool click = false) {
    if (click)
        h.fake.menus.choose(TreeMenuId::tvStartAtLogin);
    h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 500, 500);
    const MenuEntry* entry = h.fake.menus.lastEntry(TreeMenuId::tvStartAtLogin);
    return entry && entry->checked;
}
}  // namespace

class TestStartAtLogin : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // On writes an entry that starts the program hidden, by its path even
    // where that holds what a shell or the desktop would read otherwise.
    // What a desktop writes to switch an entry off counts as off; on writes
    // it anew, and off removes an entry of that name whoever wrote it; off
    // again is no fault.
    void anEntryIsWrittenReadAndRemoved_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("on");
        const QByteArray start = "[Desktop Entry]\nType=Application\nExec=/usr/local/bin/varnel\n";
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("another's") << start << true;
        QTest::newRow("hidden") << start + "Hidden=true\n" << false;
        QTest::newRow("hidden, spaced") << start + "Hidden = true\n" << false;
        QTest::newRow("not hidden") << start + "Hidden=false\n" << true;
        QTest::newRow("GNOME off") << start + "X-GNOME-Autostart-enabled=false\n" << false;
        QTest::newRow("hidden as 1") << start + "Hidden=1\n" << false;
        QTest::newRow("GNOME off as 0") << start + "X-GNOME-Autostart-enabled=0\n" << false;
        QTest::newRow("hidden elsewhere") << start + "[Desktop Action show]\nHidden=true\n" << true;
    }
    void anEntryIsWrittenReadAndRemoved() {
        QFETCH(QByteArray, entry);
        QFETCH(bool, on);
        const QStringList command{u"/opt/My Apps/var$nel \"2\"\\`x`"_s, u"--config"_s,
                                  u"/home/ann/100% notes.ini"_s};
        QTemporaryDir temp;
        const QString file = temp.filePath(u"config/autostart/varnel.desktop"_s);
        if (!entry.isEmpty())
            writeFile(file, entry);
        const StartAtLogin login(file, command);
        QCOMPARE(login.On(), on);
        QCOMPARE(login.SetOn(true), QString());
        QVERIFY(login.On());
        QCOMPARE(argumentsOf(keysOf(contentOf(file))[u"Exec"_s]), command);
        writeFile(file, entry);
        QCOMPARE(login.SetOn(false), QString());
        QVERIFY(!QFile::exists(file));
        QCOMPARE(login.SetOn(false), QString());
    }

    // An entry that is a folder cannot be written or removed whoever runs:
    // told, and the entry stays as it was. (A folder that is a file: the
    // menu's case below.)
    void whatCannotBeWrittenIsTold() {
        QTemporaryDir temp;
        const QString folder = temp.filePath(u"other/autostart/varnel.desktop"_s);
        QVERIFY(QDir().mkpath(folder + u"/inside"_s));
        const StartAtLogin aFolder(folder, {u"/usr/bin/varnel"_s});
        QVERIFY(aFolder.SetOn(true).contains(u"could not be written"_s));
        QVERIFY(aFolder.SetOn(false).contains(u"could not be removed"_s));
        QVERIFY(!aFolder.On());
        QVERIFY(StartAtLogin({}, {u"/usr/bin/varnel"_s}).SetOn(true).contains(u"no home"_s));
    }

    // $XDG_CONFIG_HOME when it is an absolute path, ~/.config otherwise.
    void theEntryIsWhereTheDesktopLooks() {
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "/tmp/ann/conf/");
        QCOMPARE(UserAutostartEntry(), u"/tmp/ann/conf/autostart/varnel.desktop"_s);
        qputenv("XDG_CONFIG_HOME", "conf");
        QCOMPARE(UserAutostartEntry(), QDir::homePath() + u"/.config/autostart/varnel.desktop"_s);
        qputenv("XDG_CONFIG_HOME", before);
        // The program's own path is checked where it is installed.
        QCOMPARE(LoginCommand(u"/home/ann/work.ini"_s).mid(1),
                 (QStringList{u"--config"_s, u"/home/ann/work.ini"_s}));
        QCOMPARE(LoginCommand({}).size(), 1);
    }

    // The check mark, after "Use Full Path on Copy", is what the entry says
    // each time the menu opens, whoever changed it; a failure is told and
    // the mark stays true to the entry.
    void theMenusCheckMarkFollowsTheEntry() {
        FormHarness h;
        h.loadAndShow();
        QVERIFY(!openMenu(h));
        const MenuEntry* entry = h.fake.menus.lastEntry(TreeMenuId::tvStartAtLogin);
        QVERIFY(entry && entry->checkable && entry->enabled);
        QCOMPARE((entry - 1)->id, int(TreeMenuId::tvFullPath));

        openMenu(h, true);
        const QString file = h.paths.autostartFile;
        QCOMPARE(argumentsOf(keysOf(contentOf(file))[u"Exec"_s]), h.paths.startCommand);
        QVERIFY(openMenu(h));
        writeFile(file, contentOf(file) + "Hidden=true\n");
        QVERIFY(!openMenu(h, true));
        QVERIFY(openMenu(h, true));
        QVERIFY(!QFile::exists(file));
        QVERIFY(h.fake.messages.shown.empty());

        const QString folder = QFileInfo(file).absolutePath();
        QVERIFY(QDir(folder).removeRecursively());
        writeFile(folder, "not a folder");
        openMenu(h, true);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.messages.shown[0].text.contains(folder));
        QVERIFY(!openMenu(h));
    }
};

QTEST_GUILESS_MAIN(TestStartAtLogin)
#include "test_start_at_login.moc"
