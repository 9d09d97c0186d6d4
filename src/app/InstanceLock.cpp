#include "InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSysInfo>

Q_LOGGING_CATEGORY(lcLock, "varnel.lock")

namespace {
// Whether the process is a copy of this program, as far as the system tells
// (Linux's /proc): its executable has our name, in any case (the installed
// command is lower case). Where nothing is told, the lock's owner still
// holds it, and removing it fails.
bool isRunningCopy(qint64 pid) {
    QString program = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    if (program.isEmpty())
        return false;                             // no such process, or not the user's own
    program.remove(QLatin1String(" (deleted)"));  // rebuilt or updated while it runs
    const QString ours = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QFileInfo(program).fileName().compare(ours, Qt::CaseInsensitive) == 0;
}
}  // namespace

InstanceLock::Outcome InstanceLock::Acquire() {
    if (makeFolder()) {
        lock_ = std::make_unique<QLockFile>(path_);
        // QLockFile takes over only a lock whose owner it can read and finds
        // gone; an empty or garbled one it would keep for ever. Which owner
        // is gone is decided here. Removing a stale lock fails while its
        // owner still holds it, so a wrong guess costs nothing.
        lock_->setStaleLockTime(0);
        if (lock_->tryLock(0))
            return Outcome::Locked;
        if (lock_->error() == QLockFile::LockFailedError && ownerGone()) {
            lock_->removeStaleLockFile();
            if (lock_->tryLock(0))
                return Outcome::Locked;
        }
        const QLockFile::LockError error = lock_->error();
        lock_.reset();
        if (error == QLockFile::LockFailedError)
            return Outcome::HeldByAnother;
        const QString directory = QFileInfo(path_).absolutePath();
        reason_ = error == QLockFile::PermissionError
                      ? QStringLiteral("no permission to write in %1").arg(directory)
                      : QStringLiteral("the file system refused it");
    }
    qCWarning(lcLock) << "cannot make the lock file" << path_ << ":" << reason_;
    return Outcome::Failed;
}

// The runtime folder is private to the user (the session, or Qt, sees to
// that); the lock's own folder in it is made private too.
bool InstanceLock::makeFolder() {
    if (path_.isEmpty()) {
        reason_ = QStringLiteral("there is no private runtime folder");
        return false;
    }
    const QString directory = QFileInfo(path_).absolutePath();
    if (QFileInfo(directory).isDir() ||
        QDir().mkdir(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return true;
    reason_ = QStringLiteral("its folder %1 cannot be made").arg(directory);
    return false;
}

// The lock lives in a folder of this machine's: a lock that names no owner,
// another machine, this very process (its number reused after a crash), or
// a process that is no copy of ours is left over.
bool InstanceLock::ownerGone() const {
    qint64 pid = 0;
    QString host;
    if (!lock_->getLockInfo(&pid, &host, nullptr))
        return true;
    return (!host.isEmpty() && host != QSysInfo::machineHostName()) ||
           pid == QCoreApplication::applicationPid() || !isRunningCopy(pid);
}

bool InstanceLock::stillOurs() const {
    qint64 pid = 0;
    QString host;
    return lock_->getLockInfo(&pid, &host, nullptr) && pid == QCoreApplication::applicationPid() &&
           host == QSysInfo::machineHostName();
}

void InstanceLock::Release() {
    if (!lock_)
        return;
    if (stillOurs()) {
        lock_.reset();
        return;
    }
    // QLockFile removes whatever lies at its path when it lets go: another
    // copy's lock there is moved out of its way meanwhile (Qt then warns
    // that it found no lock of ours to remove). Renaming never replaces a
    // file, so it cannot put it back over a newer one either.
    const QString aside =
        path_ + QStringLiteral(".kept-%1").arg(QCoreApplication::applicationPid());
    const bool moved = QFile::rename(path_, aside);
    if (moved)
        qCInfo(lcLock) << "another copy holds" << path_ << "now: its lock stays";
    lock_.reset();
    if (moved && !QFile::rename(aside, path_))
        qCWarning(lcLock) << "cannot put back the lock of another copy" << path_ << "from" << aside;
}
