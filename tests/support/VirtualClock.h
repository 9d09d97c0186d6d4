#pragma once

#include "platform/Timer.h"

#include <QtGlobal>
#include <vector>

// Timers for tests: nothing fires until the test moves the clock on.
class VirtualClock : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;

    // Moves time on by the given milliseconds, firing every timer that falls
    // due, in time order, each at its own due time.
    void advance(qint64 milliseconds);
    qint64 now() const { return now_; }
    // The calendar starts at noon on a fixed Monday and moves with now().
    QDateTime currentDateTime() const override;

private:
    class VirtualTimer;
    friend class VirtualTimer;
    VirtualTimer* nextDue(qint64 limit) const;

    qint64 now_ = 0;
    std::vector<VirtualTimer*> timers_;
};
