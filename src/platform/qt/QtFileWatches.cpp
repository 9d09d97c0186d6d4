#include "QtFileWatches.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

#include <sys/stat.h>

namespace {
// The system stops watching a file that is removed or replaced by a rename
// over it: the folder's own change brings the new file back into the watch.
class QtFileWatch : public FileWatch {
public:
    explicit QtFileWatch(std::function<void()> changed) : changed_(std::move(changed)) {
        QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, &watcher_,
                         [this] { rearmAndTell(); });
        QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, &watcher_,
                         [this] { rearmAndTell(); });
    }

    void watch(const QString& path) override {
        const QString file = QFileInfo(path).absoluteFilePath();
        const QString folder = QFileInfo(file).absolutePath();
        if (file != file_) {
            if (!watcher_.files().isEmpty())
                watcher_.removePaths(watcher_.files());
            if (!watcher_.directories().isEmpty())
                watcher_.removePaths(watcher_.directories());
            file_ = file;
        }
        rearm(folder);
    }

private:
    // The file's watch is made again each time: after a rename over it, the
    // old watch may still follow the file that was replaced.
    void rearm(const QString& folder) {
        if (!watcher_.directories().contains(folder) && QFileInfo(folder).isDir())
            watcher_.addPath(folder);
        if (watcher_.files().contains(file_))
            watcher_.removePath(file_);
        if (QFileInfo::exists(file_))
            watcher_.addPath(file_);
    }
    void rearmAndTell() {
        rearm(QFileInfo(file_).absolutePath());
        changed_();
    }

    QFileSystemWatcher watcher_;
    QString file_;
    std::function<void()> changed_;
};
}  // namespace

std::unique_ptr<FileWatch> QtFileWatches::createWatch(std::function<void()> changed) {
    return std::make_unique<QtFileWatch>(std::move(changed));
}

std::optional<quint64> QtFileWatches::deviceOf(const QString& folder) const {
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return quint64(info.st_dev);
}
