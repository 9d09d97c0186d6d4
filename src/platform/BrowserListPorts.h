#pragma once

#include "platform/DragSource.h"

#include <QString>
#include <QStringList>

// The drive list: the mounted volumes, each named by its root path.
class DriveListPort {
public:
    virtual ~DriveListPort() = default;
    // The drives to offer; the current one stays current.
    virtual void setDrives(const QStringList& roots) = 0;
    // Shows the drive as the current one (added when the list lacks it);
    // nothing is reported back.
    virtual void setCurrent(const QString& root) = 0;
};

class DriveListEvents {
public:
    virtual ~DriveListEvents() = default;
    // The user picked another drive.
    virtual void DriveList_Change(const QString& drive) = 0;
    // The list is about to open: a volume may have come or gone.
    virtual void DriveList_DropDown() = 0;
};

// What the directory and the file list have in common. They share one
// place: the logic decides which of them shows. Either may be set while the
// window is hidden or not yet built.
class BrowserListPort {
public:
    virtual ~BrowserListPort() = default;
    virtual void setVisible(bool visible) = 0;
    // Highlights an entry by its index; nothing is reported back.
    virtual void setListIndex(int index) = 0;
    // A listing is under way: the list shows that it is still reading.
    virtual void setReading(bool reading) = 0;
    // The picture the list's drag shows: "drag", "drop" or "nodrop".
    virtual void setDragPicture(const QString& key) = 0;
    // Begins the drag of the list with that picture; returns once it has
    // ended, dropped or not.
    virtual void BeginDrag() = 0;
};

// Entries -k..-1 are the chain from the drive's root down to the open
// directory, 0..n-1 the open directory's subdirectories.
class DirListPort : public BrowserListPort {
public:
    // chain: the full paths of -k..-1; subdirectories: the names of 0..n-1.
    virtual void setEntries(const QStringList& chain, const QStringList& subdirectories) = 0;
};

// Entries 0..n-1 are the files' bare names.
class FileListPort : public BrowserListPort {
public:
    virtual void setFiles(const QStringList& names) = 0;
};

// What the user does in a list. Buttons and coordinates as the tree's
// (TreeViewPort.h); state of a drag over the list: 0 it enters, 1 it
// leaves, 2 it moves over it.
class DirListEvents {
public:
    virtual ~DirListEvents() = default;
    // The user highlighted the entry (a click, an arrow key).
    virtual void DirList_Click(int index) = 0;
    // The user opened the highlighted entry (a double click, Return).
    virtual void DirList_DblClick() = 0;
    virtual void DirList_MouseDown(int button, int shift, float x, float y) = 0;
    // buttons: the held buttons' numbers added up, 0 for none.
    virtual void DirList_MouseMove(int buttons, int shift, float x, float y) = 0;
    virtual void DirList_MouseUp(int button, int shift, float x, float y) = 0;
    virtual void DirList_DragOver(DragSource source, int state) = 0;
    // The keyboard's focus came to the list other than by a click.
    virtual void DirList_GotFocus() = 0;
    // A key the list does not use for moving about (the menu key, Shift+F10),
    // numbered and shifted as the tree's (TreeViewPort.h).
    virtual void DirList_KeyDown(int key, int shift) = 0;
};

class FileListEvents {
public:
    virtual ~FileListEvents() = default;
    virtual void FileList_Click(int index) = 0;
    virtual void FileList_DblClick() = 0;
    virtual void FileList_MouseDown(int button, int shift, float x, float y) = 0;
    virtual void FileList_MouseMove(int buttons, int shift, float x, float y) = 0;
    virtual void FileList_MouseUp(int button, int shift, float x, float y) = 0;
    virtual void FileList_DragOver(DragSource source, int state) = 0;
    virtual void FileList_GotFocus() = 0;
    virtual void FileList_KeyDown(int key, int shift) = 0;
};
