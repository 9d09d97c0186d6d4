#pragma once

#include "platform/Platform.h"

#include <QString>

class NodeTree;
class TreeNode;

// "Export…": the tree written as an XBEL bookmarks file, which file
// managers and browsers read, and "Import Bookmarks…" too. Opened on a
// folder, the menu exports that folder with everything under it; elsewhere
// the whole tree. The file is replaced whole or not at all.
class BookmarkExport {
public:
    // homeFolder: where the save box starts.
    BookmarkExport(const Platform& platform, const NodeTree& tree, const QString& homeFolder);

    void tvExport_Click(const TreeNode* pressed);

private:
    Platform platform_;
    const NodeTree& tree_;
    QString homeFolder_;
};
