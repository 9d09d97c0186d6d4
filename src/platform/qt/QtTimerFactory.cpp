#include "QtTimerFactory.h"

#include <QTimer>

namespace {
class QtTimer : public Timer {
public:
    explicit QtTimer(std::function<void()> onTick) {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(onTick));
    }
    void setInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};
}  // namespace

std::unique_ptr<Timer> QtTimerFactory::createTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimer>(std::move(onTick));
}
