#pragma once

#include "BrowserCopy.h"
#include "DropCommands.h"
#include "TreeMoves.h"
#include "platform/Platform.h"

class BrowserSelection;
class DragStates;
class ItemIcons;
class MenuOptions;
class NodeTree;
class TreeHistory;

// The commands of the drop menu: what a drop onto a node does once the user
// has said where. A node of the tree moves; a directory or file of the
// browser is copied. The drop handler schedules the save.
class TreeDropCommands : public DropCommands {
public:
    // DropChoice: the command last chosen in the drop menu.
    enum Choice : int { DropCancel = 0, DropInside = 1, DropBefore = 2, DropAfter = 3 };

    TreeDropCommands(const Platform& platform, NodeTree& tree, TreeHistory& history,
                     const DragStates& drags, const BrowserSelection& browser,
                     const MenuOptions& options, ItemIcons& icons, PathChecks& checks);

    void tdInside_Click() override;
    void tdBefore_Click() override;
    void tdAfter_Click() override;
    void tdCancel_Click() override;
    void AddBrowserPath(std::optional<Relationship> relationship) override;
    void SetExternalDropPending(bool pending) override { externalDropPending_ = pending; }

    // Before the menu serves a drop from outside the program: no choice yet,
    // and the commands only record the one made.
    void PrepareExternalDrop() {
        dropChoice_ = DropCancel;
        externalDropPending_ = true;
    }
    // What a drop from outside the program reads once the menu has closed.
    int DropChoice() const { return dropChoice_; }

private:
    // Records the choice; true when the command is to act on it.
    bool choose(Choice choice);
    void placeBesideTarget(Relationship relationship);
    bool browserDragging() const;

    NodeTree& tree_;
    const DragStates& drags_;
    TreeMoves moves_;
    BrowserCopy copy_;
    int dropChoice_ = DropCancel;
    bool externalDropPending_ = false;
};
