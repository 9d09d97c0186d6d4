#include "StartAtLogin.h"

#include "StartAtLoginTexts.h"
#include "Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString DesktopEntryGroup = QStringLiteral("[Desktop Entry]");

// The value of key in the [Desktop Entry] group; empty when it is not there.
QString valueOf(const QString& entry, QStringView key) {
    bool inGroup = false;
    for (QStringView line : QStringView(entry).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == DesktopEntryGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inGroup && equals > 0 && line.first(equals).trimmed() == key)
            return line.sliced(equals + 1).trimmed().toString();
    }
    return {};
}

// Characters that make the desktop read an argument as more than one, or as
// something else than itself, unless it is quoted.
bool needsQuotes(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

QString quoted(const QString& argument) {
    QString text = argument;
    if (needsQuotes(argument)) {
        text.clear();
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                text += u'\\';
            text += c;
        }
        text = u'"' + text + u'"';
    }
    // A lone % starts a field code the desktop would replace.
    return text.replace(u'%', QStringLiteral("%%"));
}

// The escapes every string value of a desktop entry takes.
QString escapedValue(const QString& value) {
    QString text;
    for (const QChar c : value) {
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else
            text += c;
    }
    return text;
}
}  // namespace

StartAtLogin::StartAtLogin(QString entryFile, QStringList command)
    : entryFile_(std::move(entryFile)), command_(std::move(command)) {}

bool StartAtLogin::On() const {
    if (entryFile_.isEmpty())
        return false;
    QFile file(entryFile_);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Desktops read 1 and 0 as true and false too.
    const QString entry = QString::fromUtf8(file.readAll());
    const QString hidden = valueOf(entry, u"Hidden");
    const QString enabled = valueOf(entry, u"X-GNOME-Autostart-enabled");
    return hidden != u"true" && hidden != u"1" && enabled != u"false" && enabled != u"0";
}

QByteArray StartAtLogin::Entry() const {
    // Started as a bare start is: hidden, in the tray.
    const QString entry =
        DesktopEntryGroup + u'\n' +
        QStringLiteral(
            "Type=Application\n"
            "Name=%1\n"
            "Comment=Keep a tree of shortcuts to your files and "
            "folders in the tray\n"
            "Exec=%2\n"
            "Icon=%3\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n")
            .arg(Texts::programTitle(), DesktopExecValue(command_), Texts::programIcon());
    return entry.toUtf8();
}

QString StartAtLogin::SetOn(bool on) const {
    if (entryFile_.isEmpty())
        return StartAtLoginTexts::noPlace();
    if (!on) {
        QFile file(entryFile_);
        if (!QFileInfo::exists(entryFile_) && !QFileInfo(entryFile_).isSymLink())
            return {};
        if (!file.remove())
            return StartAtLoginTexts::cannotRemove(entryFile_, file.errorString());
        return {};
    }
    const QString folder = QFileInfo(entryFile_).absolutePath();
    if (!QDir().mkpath(folder))
        return StartAtLoginTexts::cannotMakeFolder(folder);
    QSaveFile file(entryFile_);
    if (!file.open(QIODevice::WriteOnly) || file.write(Entry()) < 0 || !file.commit())
        return StartAtLoginTexts::cannotWrite(entryFile_, file.errorString());
    return {};
}

QString UserAutostartEntry() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base)) {
        if (QDir::homePath().isEmpty())
            return {};
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base) + QStringLiteral("/autostart/") + Texts::programIcon() +
           QStringLiteral(".desktop");
}

QStringList LoginCommand(const QString& configFile) {
    // Asked before the application object exists too: the kernel's name for
    // this process's program, as QCoreApplication::applicationFilePath reads it.
    QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (program.isEmpty() && QCoreApplication::instance())
        program = QCoreApplication::applicationFilePath();
    QStringList command{program};
    if (!configFile.isEmpty())
        command << QStringLiteral("--config") << configFile;
    return command;
}

QString DesktopExecValue(const QStringList& command) {
    QStringList arguments;
    for (const QString& argument : command)
        arguments << quoted(argument);
    return escapedValue(arguments.join(u' '));
}
