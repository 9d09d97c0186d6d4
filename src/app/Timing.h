#pragma once

// Intervals of the main window's timers, in milliseconds.
namespace Timing {
constexpr int SaveDelay = 60000;  // SaveSetTimer: one minute after the last change
constexpr int UnloadDelay = 100;  // UnloadEvent: lets the menu that chose "Unload" finish
constexpr int PopMenuDelay = 250; // PopMenuEvent: the tray menu opens after the notification
constexpr int ShellDelay = 250;   // ShellEvent: a quick-list launch after its menu closed
}  // namespace Timing
