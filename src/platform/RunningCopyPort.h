#pragma once

#include <QString>

// What the copy that holds the lock said to a start that asked it.
enum class RunningCopyAnswer {
    Showed,      // it did as asked; for a bare start: it showed its window
    DidNotShow,  // a bare start: it has a tray, the way in, and showed nothing
    Unreachable  // no answer: no session bus, nobody under the name, an error
};

// The copy of the program that runs for the same settings file, reached on
// the session bus under busName; and this copy's own answering once it holds
// the lock. The caller's activation token (from the desktop that started
// this command) goes along with each request.
class RunningCopyPort {
public:
    virtual ~RunningCopyPort() = default;

    // This copy holds the lock: it answers under busName from now on, until
    // it stops. Without a session bus, or with the name taken by another
    // program, it says so in the log and goes on unreachable.
    virtual void Listen(const QString& busName) = 0;
    virtual void StopListening() = 0;

    virtual RunningCopyAnswer ShowWindow(const QString& busName) = 0;
    virtual RunningCopyAnswer ToggleWindow(const QString& busName) = 0;
    virtual RunningCopyAnswer PopupQuickList(const QString& busName) = 0;
    virtual RunningCopyAnswer Find(const QString& busName, const QString& text) = 0;
    // A start without a switch.
    virtual RunningCopyAnswer SecondStart(const QString& busName) = 0;
    // Why the last request found no running copy, for the user.
    virtual QString UnreachableReason() const = 0;
};
