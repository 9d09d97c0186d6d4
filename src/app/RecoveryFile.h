#pragma once

#include "AppPaths.h"

#include <QByteArray>
#include <QStringList>

class TimerFactory;

// Settings that could not be written when the session ended go to a file of
// their own rather than with the program: in the user's state folder, else
// beside the settings file, named for the day and time
// (Varnel-recovery-20260105-120000.INI), holding the very text the save would
// have written. Which of them the user has been told of is kept in a list
// beside them (Varnel-recovery.told), so that each is told once.
class RecoveryFile {
public:
    RecoveryFile(TimerFactory& clock, const AppPaths& paths);

    // The path written; empty when no folder took it.
    QString Write(const QByteArray& content) const;
    // The recovery files the user has not been told of, oldest first.
    QStringList Untold() const;
    void MarkTold(const QStringList& files) const;

private:
    QStringList folders() const;

    TimerFactory& clock_;
    QString stateDir_;
    QString settingsDir_;
};
