#pragma once

#include "platform/DragSource.h"
#include "platform/PopupMenu.h"

class DropCommands;

// The entries of the drop menu tdMenu, in their order.
enum class TreeDropMenuId { tdMenu, tdInside, tdBefore, tdAfter, tdSep1, tdCancel };

// The drop menu as it is prepared for each drop: "Move" for a node of the
// tree, "Copy" for a browser entry, the kind of the target in the captions,
// and with "Use Full Path on Copy" a browser entry only as a full path.
MenuEntry BuildTreeDropMenu(DragSource source, bool targetIsFolder, bool fullPath);
// The same menu for files dropped from outside the program: "Drop" in the
// captions, and inside only a folder.
MenuEntry BuildShellDropMenu(bool targetIsFolder);
// Runs the command of the entry chosen in the drop menu; nothing when the
// menu was closed without a choice.
void RunTreeDropChoice(const MenuChoice& choice, DropCommands& commands);
