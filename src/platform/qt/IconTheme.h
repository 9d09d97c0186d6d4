#pragma once

// Makes sure the icon theme has pictures for file types. A desktop session
// names its own theme and that one is kept; outside one (a bare window
// manager, the offscreen platform of the tests) Qt knows only "hicolor",
// which draws no file types, and every item would look the same. Then the
// freedesktop directories are searched and GNOME's Adwaita is used when it
// is installed. Safe to call more than once.
void ChooseIconTheme();
