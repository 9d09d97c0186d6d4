#pragma once

#include "platform/DesktopNotices.h"

#include <QObject>

// Notices through the desktop's notification service on the session bus
// (org.freedesktop.Notifications). Without a bus, or when nobody owns the
// name, the notice is not taken and the logic tells it another way.
class QtDesktopNotices : public QObject, public DesktopNotices {
    Q_OBJECT
public:
    explicit QtDesktopNotices(QObject* parent = nullptr) : QObject(parent) {}

    void notify(const QString& title, const QString& text,
                std::function<void(bool taken)> answered) override;
    // Answers still to come go unheard: the logic that asked is going.
    void forgetAnswers();
};
