#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One resident copy per settings file: a second one would fight over it. A
// lock left by a copy that is gone (dead, or its lock empty or garbled, as a
// power cut leaves it) is taken over; a lock is only ever removed by the copy
// that made it.
class InstanceLock {
public:
    enum class Outcome { Locked, HeldByAnother, Failed };

    explicit InstanceLock(const QString& path) : path_(path) {}
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Outcome Acquire();
    // Why the lock could not be made, for the user.
    const QString& FailureReason() const { return reason_; }
    // Removes the lock, unless another copy's lock has taken its place (ours
    // was deleted meanwhile): that one stays.
    void Release();

private:
    bool makeFolder();
    bool ownerGone() const;
    bool stillOurs() const;

    QString path_;
    QString reason_;
    std::unique_ptr<QLockFile> lock_;
};
