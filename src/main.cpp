// Start-up only: the command line, the application object, where the files
// live, the real platform and the main window's logic.
#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/FrmVarnel.h"
#include "app/StartAtLogin.h"
#include "app/StartAtLoginTexts.h"
#include "platform/qt/ApplicationSetup.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/bus/ActivationToken.h"
#include "platform/qt/bus/GlobalShortcutsPortal.h"
#include "platform/qt/bus/QtRunningCopy.h"
#include "tree/BookmarkFiles.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

namespace {
constexpr int BadCommandLine = 2;
constexpr int Failed = 1;

void print(const QString& text, FILE* stream) {
    std::fputs((text + u'\n').toLocal8Bit().constData(), stream);
}

// --autostart: the entry is written or removed here and now, with no
// display and without asking a running copy.
int switchStartAtLogin(const CommandLine& line) {
    const StartAtLogin login(UserAutostartEntry(), LoginCommand(line.configFile));
    const QString problem = login.SetOn(line.autostart);
    if (!problem.isEmpty()) {
        print(problem, stderr);
        return Failed;
    }
    print(line.autostart ? StartAtLoginTexts::switchedOn(login.EntryFile())
                         : StartAtLoginTexts::switchedOff(),
          stdout);
    return 0;
}

// Prints what the command line asks to be told and returns the exit status;
// nothing for a command line that runs the program.
std::optional<int> told(const CommandLine& line) {
    switch (line.outcome) {
    case CommandLine::Outcome::Run:
        return std::nullopt;
    case CommandLine::Outcome::Help:
    case CommandLine::Outcome::Version:
        std::fputs(line.text.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Outcome::Autostart:
        return switchStartAtLogin(line);
    case CommandLine::Outcome::Error:
        std::fputs(line.text.toLocal8Bit().constData(), stderr);
        return BadCommandLine;
    }
    return std::nullopt;
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
}  // namespace

int main(int argc, char* argv[]) {
    // --help, --version, --autostart and the faults of a command line that
    // reads need no display, so they are answered before the application
    // object connects to one. A command line that does not read may hold
    // Qt's own options: it is read again once the application object has
    // taken those out.
    CommandLine line = ParseCommandLine(argumentsOf(argc, argv), QDir::currentPath());
    CheckConfigFile(line);
    if (!line.mayHoldQtOptions)
        if (const std::optional<int> status = told(line))
            return *status;
    const QString activationToken = CallersActivationToken();

    QApplication app(argc, argv);
    SetUpApplication();
    line = ParseCommandLine(QCoreApplication::arguments(), QDir::currentPath());
    CheckConfigFile(line);
    if (const std::optional<int> status = told(line))
        return *status;

    AppPaths paths = ChooseAppPaths(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), line.configFile);
    paths.stateDir = UserStateFolder();
    paths.autostartFile = UserAutostartEntry();
    paths.startCommand = LoginCommand(line.configFile);
    const BookmarkSources bookmarks = DesktopBookmarkSources();
    paths.gtkBookmarks = bookmarks.gtk;
    paths.kdePlaces = bookmarks.kde;
    paths.homeFolder = QDir::homePath();
    QtPlatform platform;
    platform.runningCopy().setCallersToken(activationToken);
    FrmVarnel frm(platform.platform(), paths);
    platform.attach(frm.Events(), frm.tree());
    const LoadResult loaded = frm.Form_Load(line.summon);
    if (!loaded.error.isEmpty())
        std::fputs((loaded.error + u'\n').toLocal8Bit().constData(), stderr);
    // Only the copy that runs on asks the desktop for its key: a refused
    // copy would have the desktop ask the user for a key it cannot serve.
    if (loaded.runs)
        platform.globalShortcuts().start();
    const int exitCode = loaded.runs ? QApplication::exec() : loaded.exitStatus;
    // The logic and its tree go before the platform: nothing may reach them after this.
    platform.detach();
    return exitCode;
}
