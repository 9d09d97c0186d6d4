#pragma once

#include <QDateTime>
#include <functional>
#include <memory>

// A one-shot-or-repeating timer on the user-interface thread. Starting a
// running timer restarts its interval. The real one is a QTimer; the tests'
// one runs on a virtual clock.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> onTick) = 0;
    // The date and time of the user's calendar, in local time: what dated
    // file names are made from. The tests' clock moves it with its timers.
    virtual QDateTime currentDateTime() const { return QDateTime::currentDateTime(); }
};
