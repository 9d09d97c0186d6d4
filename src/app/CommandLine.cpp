#include "CommandLine.h"

#include "StartAtLoginTexts.h"
#include "Texts.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString problem(const QString& what) {
    return Texts::programIcon() + QStringLiteral(": ") + what + u'\n' +
           QStringLiteral("Try '%1 --help' for more information.").arg(Texts::programIcon()) +
           u'\n';
}

// The help text names the command as it is installed, whatever the file
// that runs is called and whether an application object exists yet.
QString helpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    return QStringLiteral("Usage: %1 [options]").arg(Texts::programIcon()) +
           text.sliced(qMax(firstLineEnd, 0));
}
}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments, const QString& workingDirectory) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Keeps a tree of shortcuts to files and folders in the tray.\n"
        "With a switch, a running copy of Varnel (for the same settings file) does what\n"
        "it asks and this command ends; where none runs, Varnel starts and does it."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and end."));
    const QCommandLineOption show(QStringLiteral("show"),
                                  QStringLiteral("Show the window, restored and in front."));
    const QCommandLineOption toggle(
        QStringLiteral("toggle"),
        QStringLiteral("Hide the window when it is in front, show it otherwise."));
    const QCommandLineOption popup(QStringLiteral("popup"),
                                   QStringLiteral("Pop up the Quick List at the pointer."));
    const QCommandLineOption find(QStringLiteral("find"),
                                  QStringLiteral("Pop up the Quick List with TEXT typed."),
                                  QStringLiteral("TEXT"));
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("Use FILE as the settings file."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption autostart(
        QStringLiteral("autostart"),
        QStringLiteral("Start Varnel at login from now on (on) or no longer (off), and end."),
        QStringLiteral("on|off"));
    parser.addOptions({help, version, show, toggle, popup, find, config, autostart});

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.outcome = CommandLine::Outcome::Error;
        line.text = problem(parser.errorText());
        line.mayHoldQtOptions = true;
        return line;
    }
    if (parser.isSet(help)) {
        line.outcome = CommandLine::Outcome::Help;
        line.text = helpText(parser);
        return line;
    }
    if (parser.isSet(version)) {
        line.outcome = CommandLine::Outcome::Version;
        line.text = Texts::programTitle() + u' ' + QStringLiteral(VARNEL_VERSION) + u'\n';
        return line;
    }

    QString wrong;
    if (!parser.positionalArguments().isEmpty())
        wrong = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().at(0));
    int summons = 0;
    for (const auto& [option, kind] :
         {std::pair{&show, Summon::Kind::Show}, std::pair{&toggle, Summon::Kind::Toggle},
          std::pair{&popup, Summon::Kind::Popup}, std::pair{&find, Summon::Kind::Find}}) {
        // A switch given twice counts once: each asks one thing.
        if (parser.isSet(*option)) {
            line.summon.kind = kind;
            ++summons;
        }
    }
    if (summons > 1)
        wrong = QStringLiteral("give only one of --show, --toggle, --popup and --find");
    line.summon.text = parser.value(find);
    if (parser.isSet(config)) {
        const QString file = parser.value(config);
        if (file.isEmpty())
            wrong = QStringLiteral("--config needs the path of a settings file");
        else
            line.configFile = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(file));
    }
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        line.autostart = value == u"on";
        if (!line.autostart && value != u"off")
            wrong = StartAtLoginTexts::badValue(value);
        else if (summons > 0)
            wrong = StartAtLoginTexts::notWithSummon();
        else
            line.outcome = CommandLine::Outcome::Autostart;
    }
    if (!wrong.isEmpty()) {
        line.outcome = CommandLine::Outcome::Error;
        line.text = problem(wrong);
    }
    return line;
}

namespace {
QString configFileProblem(const QString& configFile) {
    const QFileInfo file(configFile);
    if (file.isDir())
        return QStringLiteral("--config: %1 is a folder, not a settings file").arg(configFile);
    if (!file.exists()) {
        if (!file.dir().exists())
            return QStringLiteral("--config: the folder %1 does not exist")
                .arg(file.absolutePath());
        return {};
    }
    QFile readable(configFile);
    if (!readable.open(QIODevice::ReadOnly))
        return QStringLiteral("--config: %1 cannot be read (%2)")
            .arg(configFile, readable.errorString());
    return {};
}
}  // namespace

void CheckConfigFile(CommandLine& line) {
    const bool runs = line.outcome == CommandLine::Outcome::Run ||
                      line.outcome == CommandLine::Outcome::Autostart;
    if (!runs || line.configFile.isEmpty())
        return;
    const QString wrong = configFileProblem(line.configFile);
    if (wrong.isEmpty())
        return;
    line.outcome = CommandLine::Outcome::Error;
    line.text = problem(wrong);
}
