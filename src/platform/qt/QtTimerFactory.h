#pragma once

#include "platform/Timer.h"

// Timers over QTimer, ticking on the user-interface thread's event loop.
class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;
};
