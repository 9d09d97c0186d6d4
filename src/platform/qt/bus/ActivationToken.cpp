#include "ActivationToken.h"

#include <QGuiApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcActivation, "varnel.activation")

QString CallersActivationToken() {
    const QString wayland = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID") : wayland;
}

// Qt's Wayland platform activates a window with the token it finds in
// XDG_ACTIVATION_TOKEN, and takes it out of the environment as it does: the
// token is put there just before the window is shown or activated. Qt 6.4
// has no public way to give its X11 platform a startup id after it started
// (it reads DESKTOP_STARTUP_ID once, as it connects); there the window is
// raised and activated as it always was, which window managers without
// strict focus-stealing prevention grant.
void UseActivationToken(const QString& token) {
    if (token.isEmpty())
        return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
        return;
    }
    qCDebug(lcActivation) << "no way to hand the startup id" << token << "to"
                          << QGuiApplication::platformName();
}
