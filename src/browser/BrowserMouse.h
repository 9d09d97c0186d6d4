#pragma once

#include "platform/BrowserListPorts.h"
#include "platform/Platform.h"

#include <QString>

class BrowserPanel;

// What the mouse does in the directory and file lists: a left press arms
// the list's drag and the first move with the button held begins it; a
// right press opens the list's menu; moves explain the list in the status
// bar. Clicks and double clicks go to the panel.
class BrowserMouse : public DirListEvents, public FileListEvents {
public:
    BrowserMouse(const Platform& platform, BrowserPanel& panel);

    void DirList_Click(int index) override;
    void DirList_DblClick() override;
    void DirList_MouseDown(int button, int shift, float x, float y) override;
    void DirList_MouseMove(int buttons, int shift, float x, float y) override;
    void DirList_MouseUp(int button, int shift, float x, float y) override;
    void DirList_DragOver(DragSource source, int state) override;

    void FileList_Click(int index) override;
    void FileList_DblClick() override;
    void FileList_MouseDown(int button, int shift, float x, float y) override;
    void FileList_MouseMove(int buttons, int shift, float x, float y) override;
    void FileList_MouseUp(int button, int shift, float x, float y) override;
    void FileList_DragOver(DragSource source, int state) override;
    void DirList_GotFocus() override;
    void FileList_GotFocus() override;

    // DirDragState, FileDragState: 0 idle, 1 armed by a left press, 2 dragging.
    int DirDragState() const { return dirDragState_; }
    int FileDragState() const { return fileDragState_; }
    // A drop from the list onto the tree has been handled: its drag is over.
    void EndDrag(DragSource source);

private:
    void showDirMenu();
    void showFileMenu();

    Platform platform_;
    BrowserPanel& panel_;
    int dirDragState_ = 0;
    int fileDragState_ = 0;
};
