#pragma once

#include <QString>

// What Varnel tells about starting at login, from its menu and its command line.
namespace StartAtLoginTexts {
inline QString cannotMakeFolder(const QString& folder) {
    return QStringLiteral(
               "Varnel could not set itself to start at login: the folder %1 could not be made.")
        .arg(folder);
}
inline QString cannotWrite(const QString& file, const QString& reason) {
    return QStringLiteral(
               "Varnel could not set itself to start at login: %1 could not be "
               "written (%2).")
        .arg(file, reason);
}
inline QString cannotRemove(const QString& file, const QString& reason) {
    return QStringLiteral("Varnel could not stop starting at login: %1 could not be removed (%2).")
        .arg(file, reason);
}
inline QString noPlace() {
    return QStringLiteral(
        "Varnel cannot start at login: there is no home folder for the desktop's autostart "
        "entries (set HOME or XDG_CONFIG_HOME).");
}
inline QString switchedOn(const QString& file) {
    return QStringLiteral("Varnel will start at login (%1).").arg(file);
}
inline QString switchedOff() {
    return QStringLiteral("Varnel will not start at login.");
}
// Command-line mistakes, printed after "varnel: ".
inline QString badValue(const QString& value) {
    return QStringLiteral("--autostart takes on or off, not '%1'").arg(value);
}
inline QString notWithSummon() {
    return QStringLiteral("give --autostart without --show, --toggle, --popup or --find");
}
}  // namespace StartAtLoginTexts
