#pragma once

#include <QString>
#include <functional>

// A passing notice from the desktop (a notification bubble), where the
// desktop has a service that shows them.
class DesktopNotices {
public:
    virtual ~DesktopNotices() = default;
    // Hands the notice to the desktop. answered runs later on the
    // user-interface thread (or at once, when it is plain that there is no
    // service), told whether the desktop took the notice.
    virtual void notify(const QString& title, const QString& text,
                        std::function<void(bool taken)> answered) = 0;
};
