#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>

// Says that a file may have changed on disk: written, replaced by another
// file renamed over it, removed or made again. Its folder is watched too,
// so a replaced file is followed to its new self, and a change of any other
// file in the folder may be said as well: a hint only, the watcher's owner
// looks at the file itself to learn whether it changed.
class FileWatch {
public:
    virtual ~FileWatch() = default;
    // Watches path and its folder in place of what was watched before, or
    // again where they exist now (a file or folder made since).
    virtual void watch(const QString& path) = 0;
};

class FileWatches {
public:
    virtual ~FileWatches() = default;
    // A watch that calls changed on the user-interface thread.
    virtual std::unique_ptr<FileWatch> createWatch(std::function<void()> changed) = 0;
    // The device a folder lies on, as the system numbers it; none when the
    // folder cannot be looked at. A removable disk pulled out leaves its
    // mount point behind as a plain folder on another device.
    virtual std::optional<quint64> deviceOf(const QString& folder) const = 0;
};
