#pragma once

#include <QObject>
#include <QString>
#include <functional>

class SummonEvents;

// The running copy's object on the session bus, /org/varnel/Varnel with the
// interface org.varnel.Varnel. Each method exists bare, for a caller that
// has no activation token (a script, dbus-send, busctl), and with one more
// string, the token, last. It hands each call to the logic; nothing a caller
// sends is a path, a command or a file. A request is answered at once and
// carried out just after: what it shows may open a box (a notice at the
// window's first showing), and a caller kept waiting for that box's answer
// would take the running copy for gone.
class SummonService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.varnel.Varnel")
public:
    explicit SummonService(QObject* parent = nullptr) : QObject(parent) {}
    void setEvents(SummonEvents* events) { events_ = events; }

public Q_SLOTS:
    Q_SCRIPTABLE void ShowWindow();
    Q_SCRIPTABLE void ShowWindow(const QString& activation_token);
    Q_SCRIPTABLE void ToggleWindow();
    Q_SCRIPTABLE void ToggleWindow(const QString& activation_token);
    Q_SCRIPTABLE void PopupQuickList();
    Q_SCRIPTABLE void PopupQuickList(const QString& activation_token);
    Q_SCRIPTABLE void Find(const QString& text);
    Q_SCRIPTABLE void Find(const QString& text, const QString& activation_token);
    // True when the window was shown (there is no tray to find the program
    // in); false when the caller is to say the program runs in the tray.
    Q_SCRIPTABLE bool SecondStart();
    Q_SCRIPTABLE bool SecondStart(const QString& activation_token);

private:
    void later(std::function<void(SummonEvents&)> request);

    SummonEvents* events_ = nullptr;
};
