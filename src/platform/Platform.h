#pragma once

// Everything the logic needs from the desktop, gathered so the main window can
// be built over the real Qt platform or over the tests' scriptable one.
class TimerFactory;
class MessageBoxes;
class PopupMenus;
class Shell;
class TrayIconPort;
class MainWindowPort;
class TreeViewPort;
class PathLabelPort;
class BackgroundWork;
class DriveListPort;
class DirListPort;
class FileListPort;
class ImageListPort;
class StatusBarPort;
class AboutBoxPort;
class DesktopNotices;
class FileWatches;
class ChooserBoxPort;
class RunningCopyPort;
class FilterLinePort;
class QuickFindPort;
class OfferStripPort;

struct Platform {
    TimerFactory& timers;
    MessageBoxes& messages;
    PopupMenus& menus;
    Shell& shell;
    TrayIconPort& tray;
    MainWindowPort& window;
    TreeViewPort& treeView;
    PathLabelPort& pathLabel;
    DriveListPort& driveList;
    DirListPort& dirList;
    FileListPort& fileList;
    ImageListPort& images;
    StatusBarPort& statusBar;
    AboutBoxPort& about;
    BackgroundWork& work;
    DesktopNotices& notices;
    FileWatches& fileWatches;
    ChooserBoxPort& chooser;
    RunningCopyPort& runningCopy;
    FilterLinePort& filterLine;
    QuickFindPort& quickFind;
    OfferStripPort& offerStrip;
};
