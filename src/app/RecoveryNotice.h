#pragma once

#include "platform/Platform.h"

#include <QStringList>

class RecoveryFile;

// Tells the user, once, of settings kept in recovery files at the end of an
// earlier session: by a desktop notice where the desktop takes one,
// otherwise in a message at the first showing of the window (the program
// starts hidden, and a box of its own before that would come from nowhere).
// A file counts as told once the notice was taken or the message shown.
class RecoveryNotice {
public:
    RecoveryNotice(const Platform& platform, const RecoveryFile& files,
                   const QString& settingsPath);
    RecoveryNotice(const RecoveryNotice&) = delete;
    RecoveryNotice& operator=(const RecoveryNotice&) = delete;

    // At start-up, once this copy holds the lock.
    void Announce();
    // Each time the window is shown.
    void WindowShown();

private:
    void noticeAnswered(bool taken);
    void tellInWindow();

    Platform platform_;
    const RecoveryFile& files_;
    QString settingsPath_;
    QStringList untold_;
    bool forWindow_ = false;    // no desktop notice took it: the window tells
    bool windowShown_ = false;  // shown since start-up
};
