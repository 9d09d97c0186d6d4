// The command line: its switches, what is refused, and the settings file and
// bus name that --config gives a run.
#include "WarningsFail.h"
#include "app/AppPaths.h"
#include "app/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {
using Outcome = CommandLine::Outcome;
using Kind = Summon::Kind;

CommandLine parse(const QStringList& arguments, const QString& here = u"/home/ann"_s) {
    return ParseCommandLine(QStringList{u"/usr/bin/varnel"_s} + arguments, here);
}
}  // namespace

class TestCommandLine : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void switchesAskOneThing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("told");  // a piece of what is printed
        const auto row = [](const char* name, QStringList arguments, Outcome outcome,
                            Kind kind = Kind::None, QString text = {}, QString config = {},
                            QString told = {}) {
            QTest::newRow(name) << arguments << int(outcome) << int(kind) << text << config << told;
        };
        row("bare", {}, Outcome::Run);
        row("show", {u"--show"_s}, Outcome::Run, Kind::Show);
        row("toggle", {u"--toggle"_s}, Outcome::Run, Kind::Toggle);
        row("popup", {u"--popup"_s}, Outcome::Run, Kind::Popup);
        row("find", {u"--find"_s, u"tax 2024"_s}, Outcome::Run, Kind::Find, u"tax 2024"_s);
        row("find nothing", {u"--find"_s, u""_s}, Outcome::Run, Kind::Find);
        // What follows --find is the text, even when it looks like a switch.
        row("find a dash", {u"--find"_s, u"--help"_s}, Outcome::Run, Kind::Find, u"--help"_s);
        row("a switch twice", {u"--show"_s, u"--show"_s}, Outcome::Run, Kind::Show);
        row("config relative", {u"--config"_s, u"notes/../work.ini"_s, u"--popup"_s}, Outcome::Run,
            Kind::Popup, {}, u"/home/ann/work.ini"_s);
        row("config absolute", {u"--config=/etc/varnel/shared.ini"_s}, Outcome::Run, Kind::None, {},
            u"/etc/varnel/shared.ini"_s);
        row("help", {u"--show"_s, u"--help"_s}, Outcome::Help, Kind::None, {}, {},
            u"Usage: varnel [options]"_s);
        row("version", {u"-v"_s}, Outcome::Version, Kind::None, {}, {}, u"Varnel "_s);
        row("unknown switch", {u"--shwo"_s}, Outcome::Error, Kind::None, {}, {},
            u"varnel: Unknown option 'shwo'."_s);
        row("find without text", {u"--find"_s}, Outcome::Error, Kind::None, {}, {},
            u"Missing value after '--find'"_s);
        row("config empty", {u"--config="_s}, Outcome::Error, Kind::None, {}, {},
            u"--config needs the path"_s);
        row("two switches", {u"--show"_s, u"--popup"_s}, Outcome::Error, Kind::Popup, {}, {},
            u"only one of"_s);
        // --autostart does its work and ends; text is the value it takes.
        row("autostart on", {u"--autostart"_s, u"on"_s}, Outcome::Autostart, Kind::None, u"on"_s);
        row("autostart off", {u"--autostart=off"_s, u"--config=w.ini"_s}, Outcome::Autostart,
            Kind::None, u"off"_s, u"/home/ann/w.ini"_s);
        row("autostart maybe", {u"--autostart"_s, u"On"_s}, Outcome::Error, Kind::None, {}, {},
            u"varnel: --autostart takes on or off, not 'On'"_s);
        row("autostart and show", {u"--autostart=on"_s, u"--show"_s}, Outcome::Error, Kind::Show,
            {}, {}, u"give --autostart without --show"_s);
        // A path is never opened from the command line: there is no such
        // argument.
        row("a path", {u"/etc/hosts"_s}, Outcome::Error, Kind::None, {}, {},
            u"unexpected argument '/etc/hosts'"_s);
    }
    void switchesAskOneThing() {
        QFETCH(QStringList, arguments);
        QFETCH(int, outcome);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, config);
        QFETCH(QString, told);
        const CommandLine line = parse(arguments);
        QCOMPARE(int(line.outcome), outcome);
        if (line.outcome == Outcome::Run)
            QCOMPARE(line.summon, (Summon{Kind(kind), text}));
        if (line.outcome == Outcome::Autostart)
            QCOMPARE(line.autostart, text == u"on"_s);
        QCOMPARE(line.configFile, config);
        QVERIFY2(line.text.contains(told), qPrintable(line.text));
        if (line.outcome == Outcome::Version)
            QVERIFY(
                QRegularExpression(u"^Varnel \\d+\\.\\d+\\.\\d+\n$"_s).match(line.text).hasMatch());
        if (line.outcome == Outcome::Error)
            QVERIFY(line.text.endsWith(u"Try 'varnel --help' for more information.\n"_s));
        // Only what the parser could not read may be Qt's to read; the rest
        // is told at once, display or not.
        QCOMPARE(line.mayHoldQtOptions,
                 told.contains(u"Unknown option"_s) || told.contains(u"Missing value"_s));
    }

    // A file that does not exist yet is a new settings file; a folder, a
    // file that cannot be read or a folder that is not there are refused.
    void theConfigFileMustBeUsable() {
        QTemporaryDir temp;
        QVERIFY(QFile(temp.filePath(u"work.ini"_s)).open(QIODevice::WriteOnly));
        QVERIFY(QDir(temp.path()).mkdir(u"folder"_s));
        const std::pair<QString, QString> cases[] = {
            {u"work.ini"_s, {}},
            {u"new.ini"_s, {}},
            {u"folder"_s, u"is a folder"_s},
            {u"missing/new.ini"_s, u"the folder"_s},
        };
        for (const auto& [file, wrong] : cases) {
            CommandLine line = parse({u"--config"_s, file}, temp.path());
            CheckConfigFile(line);
            QVERIFY2(line.text.contains(wrong), qPrintable(file + u": "_s + line.text));
            QCOMPARE(int(line.outcome), int(wrong.isEmpty() ? Outcome::Run : Outcome::Error));
        }
        // Nor is such a file written into the entry that starts Varnel at login.
        CommandLine autostart = parse({u"--autostart=on"_s, u"--config=folder"_s}, temp.path());
        CheckConfigFile(autostart);
        QCOMPARE(int(autostart.outcome), int(Outcome::Error));
    }

    // The usual settings file answers as org.varnel.Varnel, another one
    // under a name of its own, made from the same hash as its lock; the same
    // file however named is the same name.
    void eachSettingsFileHasItsLockAndBusName() {
        QTemporaryDir temp;
        const QString config = temp.filePath(u"config/varnel"_s);
        const QString run = temp.filePath(u"run"_s);
        const AppPaths usual = ChooseAppPaths(temp.filePath(u"bin"_s), config, run);
        QCOMPARE(usual.busName, u"org.varnel.Varnel"_s);
        QCOMPARE(ChooseAppPaths(temp.filePath(u"bin"_s), config, run,
                                config + u"/../varnel/Varnel.INI"_s)
                     .busName,
                 usual.busName);

        const QString other = temp.filePath(u"work.ini"_s);
        const AppPaths paths = ChooseAppPaths(temp.filePath(u"bin"_s), config, run, other);
        QCOMPARE(paths.settingsPath, other);
        QVERIFY(paths.programCopyPath.isEmpty());
        const QString hash = QFileInfo(paths.lockPath).completeBaseName().mid(7);  // "Varnel-"
        QCOMPARE(hash.size(), 16);
        QCOMPARE(paths.busName, u"org.varnel.Varnel.f"_s + hash);
        QVERIFY(paths.lockPath.startsWith(run + u"/varnel/"_s));
        QCOMPARE(
            ChooseAppPaths(temp.path(), config, run, temp.filePath(u"bin/../work.ini"_s)).busName,
            paths.busName);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
