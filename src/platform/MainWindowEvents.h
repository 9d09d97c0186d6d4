#pragma once

#include "TrayIconPort.h"

class TreeNode;

// Why the main window is asked to close.
enum UnloadMode : int {
    vbFormControlMenu = 0,  // its close box or system menu
    vbFormCode = 1,         // the program unloads itself
    vbAppWindows = 2,       // the session ends (log-off, shut-down, a signal)
    vbAppTaskManager = 3,
};

// Mouse buttons as the handlers number them.
enum MouseButton : int { ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 4 };

// The events of the main window and its controls, as the Qt layer delivers
// them to the logic. Coordinates are twips in the control's own frame.
class MainWindowEvents : public TrayNotifications {
public:
    // Returns true to cancel the close.
    virtual bool Form_QueryUnload(int unloadMode) = 0;
    virtual void Form_Resize() = 0;
    // The session is ending: unload in order, saving, then end the program.
    virtual void SessionEnding() = 0;

    virtual void TreeView_MouseDown(int button, int shift, float x, float y) = 0;
    virtual void TreeView_DblClick() = 0;
    virtual void TreeView_NodeClick(TreeNode* node) = 0;
    virtual void TreeView_Collapse(TreeNode* node) = 0;
    virtual void TreeView_Expand(TreeNode* node) = 0;
    virtual void PathDisp_DblClick() = 0;
};
