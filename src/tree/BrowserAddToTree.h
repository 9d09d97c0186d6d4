#pragma once

#include "KeyDrag.h"
#include "TreeDropCommands.h"
#include "browser/BrowserToTree.h"
#include "platform/Platform.h"

class BrowserSelection;
class ItemIcons;
class MenuOptions;
class NodeTree;
class PathChecks;
class ReadOnlyTree;
class SettingsSchedule;
class TreeHistory;

// "Add to Tree" of the browser's menus: the highlighted directory or file
// copied into the tree as a drop of it onto the tree's selected node would
// copy it, with the same drop menu, shown at that node, and the same
// commands; with no node selected, to the end of the top level without a
// menu, as a drop onto empty space. The keys' way to what a drag from the
// browser does.
class BrowserAddToTree : public BrowserToTree {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;
        SettingsSchedule& settings;
        const BrowserSelection& browser;
        const MenuOptions& options;
        ItemIcons& icons;
        PathChecks& checks;
        const ReadOnlyTree& readOnly;  // filtered
    };
    BrowserAddToTree(const Platform& platform, const Parts& parts);

    bool TakesEntries() const override;
    void AddToTree(DragSource list) override;

private:
    Platform platform_;
    Parts parts_;
    KeyDrag drag_;
    TreeDropCommands commands_;
};
