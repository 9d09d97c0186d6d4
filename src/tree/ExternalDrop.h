#pragma once

#include "files/KeptPaths.h"
#include "model/Relationship.h"
#include "platform/Platform.h"
#include "platform/TreeDropEvents.h"

#include <QStringList>
#include <vector>

class ItemIcons;
class PathChecks;
class NodeTree;
class SettingsSchedule;
class TreeDrop;
class TreeDropCommands;
class ReadOnlyTree;
class TreeHistory;
class TreeNode;

// Files and folders dragged from the desktop or another program onto the
// tree: each dropped path becomes a node, a folder for a directory and an
// item with the file's own icon for a file; each web address a browser
// drops becomes an item labelled by its page. Dropped on a node, the drop menu
// asks where they go; dropped on empty space, they go to the end of the top
// level.
class ExternalDrop : public ShellDropEvents {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;
        SettingsSchedule& settings;
        TreeDropCommands& commands;
        ItemIcons& icons;
        PathChecks& checks;
        const TreeDrop& rows;          // FindRowNode
        const ReadOnlyTree& readOnly;  // filtered
    };
    ExternalDrop(const Platform& platform, const Parts& parts);

    // Only copies of local files and web addresses are taken: moving them
    // would take the files away from where the source keeps them.
    static bool Acceptable(const ShellDropData& data);

    bool TreeView_OLEDragOver(const ShellDropData& data, float x, float y) override;
    void TreeView_OLEDragDrop(const ShellDropData& data, float x, float y) override;

private:
    // The paths kept of a drop, with the titles of its web addresses.
    struct Dropped {
        const QStringList& paths;
        const QHash<QString, QString>& titles;
    };
    // What the background found of each dropped path; a web address is
    // answered, and no folder.
    struct Kinds {
        const std::vector<char>& folders;
        const std::vector<bool>& answered;
    };
    void addDropped(TreeNode* target, Relationship placement, const Dropped& dropped,
                    const Kinds& kinds, PathRefusals& refusals);

    Platform platform_;
    Parts parts_;
};
