#include "InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLock, "varnel.lock")

InstanceLock::Outcome InstanceLock::Acquire() {
    const QString directory = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(directory)) {
        reason_ = QStringLiteral("its folder cannot be made");
    } else {
        lock_ = std::make_unique<QLockFile>(path_);
        lock_->setStaleLockTime(0);  // stale only when its owner is gone
        if (lock_->tryLock(0))
            return Outcome::Locked;
        const QLockFile::LockError error = lock_->error();
        lock_.reset();
        if (error == QLockFile::LockFailedError)
            return Outcome::HeldByAnother;
        reason_ = error == QLockFile::PermissionError
                      ? QStringLiteral("no permission to write in %1").arg(directory)
                      : QStringLiteral("the file system refused it");
    }
    qCWarning(lcLock) << "cannot make the lock file" << path_ << ":" << reason_;
    return Outcome::Failed;
}
