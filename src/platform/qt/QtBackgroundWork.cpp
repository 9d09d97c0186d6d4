#include "QtBackgroundWork.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <atomic>

// The threads hold this, never the QtBackgroundWork itself: once it has
// gone, receiver is null and what they found is dropped.
struct QtBackgroundWork::Home {
    QMutex mutex;
    QObject* receiver = nullptr;
    std::atomic<int> running{0};
};

QtBackgroundWork::QtBackgroundWork() : home_(std::make_shared<Home>()) {
    home_->receiver = &receiver_;
}

QtBackgroundWork::~QtBackgroundWork() {
    const QMutexLocker lock(&home_->mutex);
    home_->receiver = nullptr;
    // What was posted and has not run yet goes with the receiver.
}

void QtBackgroundWork::run(std::function<void()> work, std::function<void()> done) {
    ++home_->running;
    QThread* thread = QThread::create([home = home_, work = std::move(work),
                                       done = std::move(done)]() mutable {
        work();
        // What the work and its report hold goes with this thread, not later
        // with the thread's object.
        work = nullptr;
        --home->running;
        {
            const QMutexLocker lock(&home->mutex);
            if (home->receiver)
                QMetaObject::invokeMethod(home->receiver, std::move(done), Qt::QueuedConnection);
        }
        done = nullptr;
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

int QtBackgroundWork::running() const {
    return home_->running;
}
