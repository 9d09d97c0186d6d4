#pragma once

#include "IconKind.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ImageListPort;
class PathChecks;
class NodeTree;
class TimerFactory;
class TreeNode;

// The icons of items in the tree's image list. A path's kind is found away
// from the user-interface thread, a batch of items at a time, so a large
// tree shows at once; an item on a share that does not answer keeps
// waiting. Items of one kind share one picture. Until its icon is
// known an item keeps the image it has, marked as waiting: drawn as the
// leaf, saved as it was stored.
class ItemIcons {
public:
    ItemIcons(ImageListPort& images, PathChecks& checks, NodeTree& tree, TimerFactory& timers);
    ~ItemIcons();
    ItemIcons(const ItemIcons&) = delete;
    ItemIcons& operator=(const ItemIcons&) = delete;

    // The waiting image of an item made now: an icon index, so that a
    // program ended before the answer looks the icon up at its next start.
    static QString NewItemImage();
    // Looks up the icon of the item's path (its Tag). The tree's icons are
    // not looked up before the window has first been shown: a hidden
    // program reads its settings to save them, not to draw them.
    void RequestIcon(TreeNode* node);
    // The first showing: every item still waiting is looked up.
    void WindowShown();
    // Looks up the icons of these nodes (none stands for none) shown or
    // not: the tray's quick list shows them while the window may never have
    // been.
    void LookUpNow(const std::vector<TreeNode*>& nodes);
    // Told of each item whose picture an answer changed, on the
    // user-interface thread, so that a picture shown outside the tree can
    // follow; an empty function stops it.
    void SetPictureChanged(std::function<void(const TreeNode*)> changed);

    // The image list index for a kind that was found: 3 ("leaf") when the
    // path is not there or the desktop has no icon for it, 0 when the icon
    // could be neither added nor found.
    int GetItemIcon(const std::optional<IconKind>& kind);

private:
    void lookUpNext();  // one batch under way at a time

    struct State;
    std::shared_ptr<State> state_;  // what the lookups under way come back to
};
