#pragma once

#include "platform/FileWatch.h"

// Watches over QFileSystemWatcher; devices from the system's stat().
class QtFileWatches : public FileWatches {
public:
    std::unique_ptr<FileWatch> createWatch(std::function<void()> changed) override;
    std::optional<quint64> deviceOf(const QString& folder) const override;
};
