#include "VirtualClock.h"

#include <algorithm>
#include <limits>

class VirtualClock::VirtualTimer : public Timer {
public:
    VirtualTimer(VirtualClock& clock, std::function<void()> onTick)
        : clock_(clock), onTick_(std::move(onTick)) {
        clock_.timers_.push_back(this);
    }
    ~VirtualTimer() override {
        auto& all = clock_.timers_;
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    void setInterval(int milliseconds) override {
        interval_ = milliseconds;
        if (active_)
            due_ = clock_.now_ + interval_;
    }
    void start() override {
        active_ = true;
        due_ = clock_.now_ + interval_;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }

    qint64 due() const { return due_; }
    void fire() {
        due_ = clock_.now_ + interval_;  // repeats until the handler stops it
        onTick_();
    }

private:
    VirtualClock& clock_;
    std::function<void()> onTick_;
    int interval_ = 0;
    bool active_ = false;
    qint64 due_ = 0;
};

std::unique_ptr<Timer> VirtualClock::createTimer(std::function<void()> onTick) {
    return std::make_unique<VirtualTimer>(*this, std::move(onTick));
}

VirtualClock::VirtualTimer* VirtualClock::nextDue(qint64 limit) const {
    VirtualTimer* best = nullptr;
    for (VirtualTimer* timer : timers_) {
        if (timer->isActive() && timer->due() <= limit && (!best || timer->due() < best->due()))
            best = timer;
    }
    return best;
}

void VirtualClock::advance(qint64 milliseconds) {
    const qint64 target = now_ + milliseconds;
    while (VirtualTimer* timer = nextDue(target)) {
        now_ = std::max(now_, timer->due());
        timer->fire();
    }
    now_ = target;
}

QDateTime VirtualClock::currentDateTime() const {
    static const QDateTime start(QDate(2026, 1, 5), QTime(12, 0));
    return start.addMSecs(now_);
}
