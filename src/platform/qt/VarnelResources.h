#pragma once

#include <QIcon>

// The artwork compiled into the program. The resources live in a static
// library, so nothing would pull them into the executable unless someone
// asks for them by name: initVarnelResources() does that, once.
void initVarnelResources();

// The program's own icon in all the sizes we ship, for the window and the tray.
QIcon programIcon();
