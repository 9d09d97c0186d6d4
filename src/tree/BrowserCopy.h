#pragma once

#include "model/Relationship.h"
#include "platform/Platform.h"

#include <QString>
#include <QStringList>
#include <optional>

class BrowserSelection;
class ItemIcons;
class MenuOptions;
class NodeTree;
class PathChecks;
class TreeHistory;
class TreeNode;

// Copying the directory or file dragged out of the browser into the tree:
// one node beside or inside the drop target, or, with "Use Full Path on
// Copy", a chain of folders from the top level that mirrors its path.
class BrowserCopy {
public:
    BrowserCopy(const Platform& platform, NodeTree& tree, TreeHistory& history,
                const BrowserSelection& browser, const MenuOptions& options, ItemIcons& icons,
                PathChecks& checks);

    // Relative to the drop highlight, or with none at the end of the top
    // level; the chain ignores both. The new node ends selected and
    // highlighted, its path in the path label.
    void AddBrowserPath(std::optional<Relationship> relationship);

private:
    // What is copied: the highlighted directory or file, as the browser
    // names it, and whether it is a directory.
    struct Source {
        QString path;
        bool directory;
    };

    TreeNode* addOneNode(const QString& longPath, std::optional<Relationship> relationship,
                         TreeNode* target);
    TreeNode* addFullPathChain(const QString& longPath);
    void finish(TreeNode* node, const Source& source, const QString& longPath);

    Platform platform_;
    NodeTree& tree_;
    TreeHistory& history_;
    const BrowserSelection& browser_;
    const MenuOptions& options_;
    ItemIcons& icons_;
    PathChecks& checks_;
};
