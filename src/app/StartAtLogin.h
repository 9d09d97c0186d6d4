#pragma once

#include <QString>
#include <QStringList>

// Whether the desktop starts Varnel when the user logs in. The desktop's own
// autostart entry is the only record: it is read each time it is asked
// about, so what a desktop's settings switch and what Varnel shows agree.
class StartAtLogin {
public:
    // entryFile: where the desktop looks for Varnel's entry; command: the
    // program's absolute path, then the arguments it is started with.
    StartAtLogin(QString entryFile, QStringList command);

    // The entry is there and not switched off: Hidden=true, as desktops
    // write, or GNOME's X-GNOME-Autostart-enabled=false.
    bool On() const;
    // Writes the entry anew, or removes it, whoever wrote it. Returns what
    // went wrong, empty when nothing did.
    QString SetOn(bool on) const;

    const QString& EntryFile() const { return entryFile_; }
    // The whole entry as it is written.
    QByteArray Entry() const;

private:
    QString entryFile_;
    QStringList command_;
};

// $XDG_CONFIG_HOME/autostart/varnel.desktop, or under ~/.config where that
// is not set or not an absolute path. Empty when there is no home either.
QString UserAutostartEntry();

// The program that runs this process, by its absolute path, followed by the
// arguments a start at login needs to read the same settings file.
QStringList LoginCommand(const QString& configFile);

// command as the value of an Exec= key: each argument quoted where the
// desktop entry format asks, then escaped as any of its string values.
QString DesktopExecValue(const QStringList& command);
