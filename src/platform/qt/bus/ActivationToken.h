#pragma once

#include <QString>

// The token the desktop gave whoever started this command, for bringing a
// window forward: XDG_ACTIVATION_TOKEN on Wayland, DESKTOP_STARTUP_ID on X11.
// Read it before the application object exists: the X11 platform takes
// DESKTOP_STARTUP_ID out of the environment as it connects.
QString CallersActivationToken();

// Hands a token that came with a request to the window system, so that the
// window (or pop-up) activated next may take the focus. Empty: nothing to
// hand over.
void UseActivationToken(const QString& token);
