#pragma once

class MainWindowEvents;
class TreeViewEvents;
class TreeDropEvents;
class ShellDropEvents;
class PathLabelEvents;
class TrayNotifications;
class DriveListEvents;
class DirListEvents;
class FileListEvents;
class SummonEvents;
class FilterLineEvents;
class QuickFindEvents;
class OfferStripEvents;

// Where the platform delivers what the user does, one receiver per control.
struct PlatformEvents {
    MainWindowEvents& window;
    TreeViewEvents& treeView;
    TreeDropEvents& treeDrop;
    ShellDropEvents& shellDrop;
    PathLabelEvents& pathLabel;
    TrayNotifications& tray;
    DriveListEvents& driveList;
    DirListEvents& dirList;
    FileListEvents& fileList;
    SummonEvents& summons;
    FilterLineEvents& filterLine;
    QuickFindEvents& quickFind;
    OfferStripEvents& offerStrip;
};
