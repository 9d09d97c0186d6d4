#pragma once

#include "platform/BrowserListPorts.h"
#include "platform/Platform.h"

#include <QString>

class BrowserPanel;
class BrowserToTree;

// What the mouse does in the directory and file lists: a left press arms
// the list's drag and the first move with the button held begins it; a
// right press opens the list's menu, and so do the menu key and Shift+F10
// with the list's current entry; moves explain the list in the status bar.
// Clicks and double clicks go to the panel.
class BrowserMouse : public DirListEvents, public FileListEvents {
public:
    BrowserMouse(const Platform& platform, BrowserPanel& panel, BrowserToTree& toTree);

    void DirList_Click(int index) override;
    void DirList_DblClick() override;
    void DirList_MouseDown(int button, int shift, float x, float y) override;
    void DirList_MouseMove(int buttons, int shift, float x, float y) override;
    void DirList_MouseUp(int button, int shift, float x, float y) override;
    void DirList_DragOver(DragSource source, int state) override;
    void DirList_KeyDown(int key, int shift) override;

    void FileList_Click(int index) override;
    void FileList_DblClick() override;
    void FileList_MouseDown(int button, int shift, float x, float y) override;
    void FileList_MouseMove(int buttons, int shift, float x, float y) override;
    void FileList_MouseUp(int button, int shift, float x, float y) override;
    void FileList_DragOver(DragSource source, int state) override;
    void DirList_GotFocus() override;
    void FileList_GotFocus() override;
    void FileList_KeyDown(int key, int shift) override;

    // "Add to Tree" in either list's menu.
    void dlAddToTree_Click();
    void flAddToTree_Click();

    // DirDragState, FileDragState: 0 idle, 1 armed by a left press, 2 dragging.
    int DirDragState() const { return dirDragState_; }
    int FileDragState() const { return fileDragState_; }
    // A drop from the list onto the tree has been handled: its drag is over.
    void EndDrag(DragSource source);

private:
    // atEntry: asked for with a key, so shown at the list's current entry.
    void showDirMenu(bool atEntry);
    void showFileMenu(bool atEntry);
    void showFilePath();

    Platform platform_;
    BrowserPanel& panel_;
    BrowserToTree& toTree_;
    int dirDragState_ = 0;
    int fileDragState_ = 0;
};
