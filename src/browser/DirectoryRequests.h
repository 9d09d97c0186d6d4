#pragma once

#include "ReadDirectory.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class BackgroundWork;

// The browser's readings of directories and volumes, done in the background.
// Only the latest directory asked for is answered: a listing that a newer
// request has overtaken is dropped when it comes. A directory already being
// read is not read a second time; its next request waits for the same
// reading, so clicking again and again on a mount that does not answer
// leaves one thread waiting on it, not many.
class DirectoryRequests {
public:
    using Listed = std::function<void(const DirectoryListing&)>;
    using VolumesListed = std::function<void(const QStringList&)>;

    // reading hears when the answer to the latest request is awaited and
    // when it is not any more.
    DirectoryRequests(BackgroundWork& work, std::function<void(bool reading)> reading);
    ~DirectoryRequests();
    DirectoryRequests(const DirectoryRequests&) = delete;
    DirectoryRequests& operator=(const DirectoryRequests&) = delete;

    void request(const QString& path, Listed done);

    void requestVolumes(VolumesListed done);

private:
    struct State;
    std::shared_ptr<State> state_;  // what the readings under way come back to
};
