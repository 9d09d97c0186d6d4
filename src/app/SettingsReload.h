#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include "model/QuickEntry.h"

#include <QStringList>

class ItemIcons;
class NodeTree;
class Tray;
class TreeHistory;
class TreeViewPort;

// Reads another writer's settings file in while the program runs: its tree
// and its quick list take the place of ours, while this machine keeps its
// window, its browser and its options, and the selection stays on the node
// it was on wherever that node is still found by its labels.
// What another writer's file would take the place of, as a hash: each
// node's label, path, place, expansion and selection, the quick list and
// our own section. Not the pictures, which are looked up anew in every run.
QByteArray TreeSideOf(const NodeTree& tree, const QuickEntries& quickList,
                      const QStringList& ownSection);

class QuickList;
class TreeNode;

// Empties the tree and the quick list and reads those of a settings file's
// bytes into them, as the file is read; the window, the browser and the
// options are left as they are. ownSection, when given, becomes the file's
// own "[Varnel]" lines. Returns the node the file selects, not selected.
TreeNode* ReadTreeAndQuickList(QByteArrayView bytes, NodeTree& tree, QuickList& quickList,
                               ItemIcons& icons, QStringList* ownSection);

class SettingsReload {
public:
    struct Parts {
        NodeTree& tree;
        Tray& tray;  // its quick list; the tray is built after the settings
        ItemIcons& icons;
        TreeViewPort& treeView;
        TreeHistory& history;
    };
    explicit SettingsReload(const Parts& parts) : parts_(parts) {}

    // The one place where a tree read again replaces the tree: whatever
    // remembers nodes of the old one must forget them here, the history of
    // the user's steps with them. ownSection
    // becomes the file's own "[Varnel]" lines.
    void ReplaceTreeAndQuickList(QByteArrayView bytes, QStringList& ownSection);
    // What another writer's tree would take the place of (TreeSideOf).
    QByteArray TreeSide(const QStringList& ownSection) const;

private:
    Parts parts_;
};
