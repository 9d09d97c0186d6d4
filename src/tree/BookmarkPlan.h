#pragma once

#include "BookmarkFiles.h"

#include <QString>
#include <vector>

class NodeTree;

// What an import of the file manager's bookmarks would bring into the
// tree, worked out whole before anything is added: a file that cannot be
// read stops all of it.
struct ImportPlan {
    struct Item {
        QString label;
        QString path;
    };
    std::vector<Item> items;  // GTK's first, then KDE's, each path once
    qsizetype alreadyThere = 0;
    qsizetype notLocal = 0;  // addresses on other computers or of other kinds
    qsizetype notKept = 0;   // paths that cannot be kept as they are
    bool found = false;      // a bookmarks file was there
    QString failure;         // why nothing can be imported; empty when it can
};

// Paths that a node of the tree has already are left out, as are the
// places the file manager keeps for itself that are no local folders
// (trash, network, recent files).
ImportPlan PlanImport(const BookmarkSources& sources, const NodeTree& tree);

// What the user is told once the plan was carried out.
QString ImportReport(const ImportPlan& plan, const BookmarkSources& sources);
