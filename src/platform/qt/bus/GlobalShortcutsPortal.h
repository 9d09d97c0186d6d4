#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusMessage;

// A desktop-wide key for the Quick List, through the XDG desktop portal's
// GlobalShortcuts interface where the desktop offers it. The desktop owns
// the key: it asks the user for it in its own dialog the first time and
// remembers it, so the shortcut is only bound when the portal does not
// list it already. Where there is no session bus, no portal, no
// GlobalShortcuts or an error answer, nothing happens but one line in the
// log; every call is asynchronous, so a portal that is slow or never
// answers holds nothing up.
class GlobalShortcutsPortal : public QObject {
    Q_OBJECT
public:
    explicit GlobalShortcutsPortal(const QDBusConnection& bus, QObject* parent = nullptr);
    // Ends the session, so the desktop stops sending its activations.
    ~GlobalShortcutsPortal() override;

    // Begins talking to the portal; does nothing the second time. Only the
    // copy that runs on should call it: a copy that is refused would have
    // the desktop ask the user for a key it cannot use.
    void start();

    static QString quickListId() { return QStringLiteral("quick-list"); }

Q_SIGNALS:
    // The user pressed the key. The token, when the portal gives one, lets a
    // window shown in answer take the focus.
    void activated(const QString& activationToken);
    // The desktop has a key for the Quick List; TRIGGER is its description
    // of it ("Meta+Q"), empty when it gives none.
    void bound(const QString& trigger);
    // No key can be had from this desktop.
    void unavailable();

private Q_SLOTS:
    void onActivated(const QDBusMessage& signal);
    void onShortcutsChanged(const QDBusMessage& signal);

private:
    void askForInterface();
    void createSession();
    void listShortcuts();
    void bindShortcut();
    // True when the list holds our shortcut; then tells of it.
    bool tellIfBound(const QVariant& shortcuts);
    void giveUp(const QString& reason);

    QDBusConnection bus_;
    QString session_;
    bool started_ = false;
};
