#pragma once

#include <QString>
#include <QStringList>

// What a start asks of the running copy, or of itself when none runs: show
// the window, toggle it, or pop up the quick list, with a text typed.
struct Summon {
    enum class Kind { None, Show, Toggle, Popup, Find };
    Kind kind = Kind::None;
    QString text;  // what --find types into the pop-up

    bool operator==(const Summon&) const = default;
};

// The command line, read before anything needs the display, so that --help
// and --version answer where there is none.
struct CommandLine {
    enum class Outcome { Run, Help, Version, Autostart, Error };
    Outcome outcome = Outcome::Run;
    Summon summon;
    // --config: the settings file for this run, made absolute; empty for
    // the usual one.
    QString configFile;
    // --autostart: whether to start at login from now on.
    bool autostart = false;
    // The help, the version, or what is wrong, ready to print.
    QString text;
    // An error of the parser, which may come of Qt's own options (-platform,
    // -display, ...): the command line is worth reading again once the
    // application object has taken those out.
    bool mayHoldQtOptions = false;
};

// Reads arguments (the program's name first), resolving a relative --config
// against workingDirectory as the shell that typed it would.
CommandLine ParseCommandLine(const QStringList& arguments, const QString& workingDirectory);

// Refuses the file that --config names when it cannot be the settings file:
// a folder, a file that cannot be read, or one whose folder does not exist
// (a typing slip more often than a wish). A file that does not exist yet is
// made at the first save, as on a first run.
void CheckConfigFile(CommandLine& line);
