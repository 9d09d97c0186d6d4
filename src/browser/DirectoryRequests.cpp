#include "DirectoryRequests.h"

#include "platform/BackgroundWork.h"

#include <map>
#include <utility>
#include <vector>

struct DirectoryRequests::State {
    State(BackgroundWork& background, std::function<void(bool)> onReading)
        : work(background), reading(std::move(onReading)) {}

    BackgroundWork& work;
    std::function<void(bool)> reading;
    int latest = 0;
    bool awaiting = false;
    // The readings under way by path, each with the requests waiting for it.
    std::map<QString, std::vector<std::pair<int, Listed>>> underWay;
    std::vector<VolumesListed> volumesAwaited;

    void setAwaiting(bool value) {
        if (awaiting == value)
            return;
        awaiting = value;
        reading(value);
    }

    void answer(const QString& path, const DirectoryListing& listing) {
        const auto found = underWay.find(path);
        if (found == underWay.end())
            return;
        const std::vector<std::pair<int, Listed>> waiting = std::move(found->second);
        underWay.erase(found);
        for (const auto& [number, done] : waiting) {
            if (number != latest)
                continue;  // overtaken
            setAwaiting(false);
            done(listing);
        }
    }
};

DirectoryRequests::DirectoryRequests(BackgroundWork& work, std::function<void(bool)> reading)
    : state_(std::make_shared<State>(work, std::move(reading))) {}

DirectoryRequests::~DirectoryRequests() = default;

void DirectoryRequests::request(const QString& path, Listed done) {
    State& state = *state_;
    const int number = ++state.latest;
    state.setAwaiting(true);
    std::vector<std::pair<int, Listed>>& waiting = state.underWay[path];
    waiting.emplace_back(number, std::move(done));
    if (waiting.size() > 1)
        return;  // already being read
    auto listing = std::make_shared<DirectoryListing>();
    state.work.run([listing, path] { *listing = ReadDirectory(path); },
                   [weak = std::weak_ptr<State>(state_), listing, path] {
                       if (const std::shared_ptr<State> alive = weak.lock())
                           alive->answer(path, *listing);
                   });
}

void DirectoryRequests::requestVolumes(VolumesListed done) {
    State& state = *state_;
    state.volumesAwaited.push_back(std::move(done));
    if (state.volumesAwaited.size() > 1)
        return;
    auto roots = std::make_shared<QStringList>();
    state.work.run([roots] { *roots = ReadVolumes(); },
                   [weak = std::weak_ptr<State>(state_), roots] {
                       const std::shared_ptr<State> alive = weak.lock();
                       if (!alive)
                           return;
                       const std::vector<VolumesListed> awaited =
                           std::exchange(alive->volumesAwaited, {});
                       for (const VolumesListed& listed : awaited)
                           listed(*roots);
                   });
}
