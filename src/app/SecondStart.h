#pragma once

#include "CommandLine.h"

#include <QString>

class MessageBoxes;
class RunningCopyPort;

// What start-up decided: run on, or end at once with exitStatus, after
// error (when there is one) is written on standard error.
struct LoadResult {
    bool runs = true;
    int exitStatus = 0;
    QString error;
};

// A start while another copy holds the lock: it hands the request to that
// copy and ends. With a switch the answer is the exit status alone; without
// one, the user is told that the program runs in the tray, unless the running
// copy showed its window instead.
LoadResult SecondStart(RunningCopyPort& runningCopy, MessageBoxes& messages, const QString& busName,
                       const Summon& summon);
