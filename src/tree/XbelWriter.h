#pragma once

#include <QByteArray>

class NodeTree;
class TreeNode;

// The tree, or one folder of it with everything under it, as an XBEL 1.0
// document: folders as folders, items as bookmarks whose address is a
// file: URI of their path (or the path itself when it is a web address).
// XBEL gives a folder no address: a folder with a path of its own gets a
// bookmark of it, under its own label, first inside it. An item without a
// path that makes an address keeps an empty one, which XBEL requires.
QByteArray WriteXbel(const NodeTree& tree, const TreeNode* folder = nullptr);
