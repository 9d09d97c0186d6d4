#pragma once

#include "platform/RunningCopyPort.h"

#include <QString>
#include <QVariantList>
#include <memory>

class SummonEvents;
class SummonService;

// The running copy on the session bus: this copy's own object and name once
// it holds the lock, and the calls a second start makes to the copy that
// does. A second start passes on the token its caller got from the desktop.
class QtRunningCopy : public RunningCopyPort {
public:
    QtRunningCopy();
    ~QtRunningCopy() override;
    QtRunningCopy(const QtRunningCopy&) = delete;
    QtRunningCopy& operator=(const QtRunningCopy&) = delete;

    // Where the calls that come in go; null while there is no logic.
    void setEvents(SummonEvents* events);
    // The token this command was started with, read before the
    // application object took it (see CallersActivationToken).
    void setCallersToken(const QString& token) { token_ = token; }

    void Listen(const QString& busName) override;
    void StopListening() override;
    RunningCopyAnswer ShowWindow(const QString& busName) override;
    RunningCopyAnswer ToggleWindow(const QString& busName) override;
    RunningCopyAnswer PopupQuickList(const QString& busName) override;
    RunningCopyAnswer Find(const QString& busName, const QString& text) override;
    RunningCopyAnswer SecondStart(const QString& busName) override;
    QString UnreachableReason() const override { return reason_; }

    // How long a second start waits for the running copy, which may be
    // busy in a box of its own before it gets to the call.
    static constexpr int AnswerWithinMs = 10000;

private:
    RunningCopyAnswer call(const QString& busName, const QString& method, QVariantList arguments);

    std::unique_ptr<SummonService> service_;
    QString listeningAs_;
    QString token_;
    QString reason_;
};
