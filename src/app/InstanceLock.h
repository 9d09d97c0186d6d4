#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One resident copy per settings file: a second one would fight over it. A
// lock file left by a copy that died is taken over.
class InstanceLock {
public:
    enum class Outcome { Locked, HeldByAnother, Failed };

    explicit InstanceLock(const QString& path) : path_(path) {}

    Outcome Acquire();
    // Why the lock could not be made, for the user.
    const QString& FailureReason() const { return reason_; }
    void Release() { lock_.reset(); }

private:
    QString path_;
    QString reason_;
    std::unique_ptr<QLockFile> lock_;
};
