#pragma once

class MainWindowEvents;
class TreeViewEvents;
class PathLabelEvents;
class TrayNotifications;

// Where the platform delivers what the user does, one receiver per control.
struct PlatformEvents {
    MainWindowEvents& window;
    TreeViewEvents& treeView;
    PathLabelEvents& pathLabel;
    TrayNotifications& tray;
};
